// A writer killed at any moment leaves each file whole: the settings
// document, the registry hive, the INI file and the password file each hold
// the version saved last or the one being saved, read back through the
// library, and the next writer on the same files runs normally. One test per
// kind of file; the registry and INI kinds, named *Posix, exercise the Linux
// stand-ins and are skipped on Windows, where those files are the system's.
#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/ReliabilitySupport.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

// A kill comes 0 to this many milliseconds after the writer is ready.
constexpr int kMaxKillDelayMs = 20;
// Enough saves for a writer never to finish before its kill.
constexpr long kEndlessCount = 1000000;
// Saves of the writer that runs to its end after the kills.
constexpr long kFinalCount = 3;
// Temporaries left by killed writers are removed by later writes; a few may
// be waiting at any time.
constexpr int kMaxLeftoverTemporaries = 4;
constexpr unsigned kRandomSeed = 20240611;

struct Figures {
  int kills = 0;
  // Kills that came after a save had replaced the file but before the writer
  // printed it.
  int unconfirmed_saves_found = 0;
  // Temporaries found beside the file right after a kill, at most.
  int most_temporaries = 0;
};

// The INI file a round starts from: other content around the flag, varied in
// its values, line ends and encoding from round to round.
std::string IniText(long round, const std::string& flag) {
  const std::string end = round % 2 == 0 ? "\r\n" : "\n";
  std::string text = "; hardware information, round " + std::to_string(round) + end +
                     "[display]" + end + "Width = " + std::to_string(1000 + round) + end +
                     "[SystemRequest]" + end + "IsFirstFlag=" + flag + end +
                     "Serial=\"" + std::to_string(round * 7919) + "\"" + end + end +
                     "[tail]" + end + "last=" + std::to_string(round);
  if (round % 3 == 1) return "\xEF\xBB\xBF" + text;
  if (round % 3 == 2) {  // UTF-16LE with its mark; the text is ASCII
    std::string wide = "\xFF\xFE";
    for (const char c : text) wide += std::string{c, '\0'};
    return wide;
  }
  return text;
}

// The text with CR LF turned into LF: whether a rewrite keeps the file's line
// ends is the INI service's own business (Windows writes CR LF); a whole file
// is what counts here.
std::string WithLfLineEnds(std::string text) {
  for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  for (auto at = text.find(std::string("\r\0\n\0", 4)); at != std::string::npos;
       at = text.find(std::string("\r\0\n\0", 4), at)) {
    text.erase(at, 2);
  }
  return text;
}

class CrashTest : public ReliabilityTest, public ::testing::WithParamInterface<Kind> {
 protected:
  CrashTest() {
    SeedHive();
    SeedDocumentAndPassword();
  }

  fs::path Target(Kind kind) const {
    switch (kind) {
      case Kind::kDocument: return document();
      case Kind::kRegistry: return hive();
      case Kind::kIni: return ini();
      case Kind::kPassword: return password();
    }
    return fs::path();
  }

  // The INI round starts from new content written by the test; versions
  // before `first` are that content, later ones the flag cleared in it.
  void BeginRound(Kind kind, long first) {
    round_first_ = first;
    if (kind == Kind::kIni) WriteBytes(ini(), IniText(first, "1"));
  }

  // What the library reads from the file when it holds `version`.
  std::string Expected(Kind kind, long version) const {
    switch (kind) {
      case Kind::kDocument: {
        const std::string v = std::to_string(version);
        return v + "," + v + "," + v + "," + v;
      }
      case Kind::kRegistry: return WallpaperOf(version);
      case Kind::kIni: {
        const std::string flag = version < round_first_ ? "1" : "0";
        return flag + "|" + WithLfLineEnds(IniText(round_first_, flag));
      }
      case Kind::kPassword: return PasswordOf(version);
    }
    return std::string();
  }

  // What the library reads from the file now, in the form of Expected.
  std::string Current(Kind kind) {
    switch (kind) {
      case Kind::kDocument: return CurrentDocument();
      case Kind::kRegistry: return CurrentWallpaper();
      case Kind::kIni: return CurrentIni();
      case Kind::kPassword: return CurrentPassword();
    }
    return std::string();
  }

  // Kills one writer at a random moment and checks that the file holds the
  // version saved last (`*known` before the round when none was printed) or
  // the one being saved. Sets `*known` to the version found and `*first` past
  // every version the writer may have begun.
  void KillRound(Kind kind, long* known, long* first, Figures* figures) {
    BeginRound(kind, *first);
    Child child({writer(), NameOf(kind), root().u8string(), std::to_string(*first),
                 std::to_string(kEndlessCount)});
    EXPECT_TRUE(child.WaitForLine(kReadyLine)) << NameOf(kind) << " writer did not start";
    PauseMilliseconds(std::uniform_int_distribution<int>(0, kMaxKillDelayMs)(random_));
    child.Kill();
    EXPECT_EQ(child.Finish(), -1);
    ++figures->kills;
    figures->most_temporaries =
        std::max(figures->most_temporaries, CountTemporaries(Target(kind)));
    const std::vector<long> saved = child.Versions();
    if (!saved.empty()) *known = saved.back();
    const long writing = *first + static_cast<long>(saved.size());
    *first = writing + 1;
    const std::string now = Current(kind);
    const std::string last_printed = Expected(kind, *known);
    if (now == Expected(kind, writing)) {
      if (now != last_printed) ++figures->unconfirmed_saves_found;
      *known = writing;
      return;
    }
    EXPECT_EQ(now, last_printed) << NameOf(kind) << " after a kill with " << saved.size()
                                 << " saves printed";
  }

  // A writer after all the kills saves and ends normally.
  void RunToEnd(Kind kind, long first) {
    BeginRound(kind, first);
    Child child({writer(), NameOf(kind), root().u8string(), std::to_string(first),
                 std::to_string(kFinalCount)});
    EXPECT_EQ(child.Finish(), 0) << NameOf(kind) << " writer after the kills";
    EXPECT_EQ(child.Versions().size(), static_cast<std::size_t>(kFinalCount));
    EXPECT_EQ(Current(kind), Expected(kind, first + kFinalCount - 1)) << NameOf(kind);
  }

  std::mt19937 random_{kRandomSeed};

 private:
  std::string CurrentDocument() {
    FennimarDllInterface settings(CString::FromUtf8(document().u8string()));
    _Fennimar_Config_ c;
    if (settings.GetConfig(c) != RC_SUCCESS) return "unreadable document";
    return std::to_string(c.launchcode) + "," + std::to_string(c.mouseHook) + "," +
           std::to_string(c.soundEffect) + "," + std::to_string(c.lightEffect);
  }

  // An interface object on a document of its own, for the registry and the
  // password file.
  FennimarDllInterface Verifier() const {
    return FennimarDllInterface(CString::FromUtf8((root() / "verify.xml").u8string()));
  }

  std::string CurrentWallpaper() {
    FennimarDllInterface settings = Verifier();
    std::uint32_t status = 1;
    if (settings.GetUsedStatus(status) != RC_SUCCESS || status != 0) return "unreadable hive";
    CString path;
    if (settings.GetCurrentBgImage(path) != RC_SUCCESS) return "no wallpaper";
    return path.ToUtf8();
  }

  // HWinfo.ini is read beside the copied programs, so a program of theirs
  // reads the flag.
  std::string CurrentIni() {
    Child reader({writer(), "ini-read", root().u8string(), "0", "1"});
    if (reader.Finish() != 0 || reader.Versions().size() != 1) return "unreadable ini";
    return std::to_string(reader.Versions().front()) + "|" + WithLfLineEnds(ReadBytes(ini()));
  }

  std::string CurrentPassword() {
    FennimarDllInterface settings = Verifier();
    settings.SetPasswordFilePath(CString::FromUtf8(password().u8string()));
    const std::string bytes = ReadBytes(password());
    if (bytes.size() % 2 != 0) return "odd password file";
    CString stored = CString::FromUtf8(StoredPassword(bytes));
    if (settings.ValidatePassword(stored) != RC_SUCCESS) return "password does not validate";
    return stored.ToUtf8();
  }

  long round_first_ = 0;
};

TEST_P(CrashTest, KilledWriterLeavesAWholeFileAndDoesNotBlockTheNext) {
  const Kind kind = GetParam();
  const std::string skipped = WhyNotTestedHere(kind);
  if (!skipped.empty()) GTEST_SKIP() << skipped;
  long known = 0;  // every file starts at version 0
  long first = 1;
  Figures figures;
  while (figures.kills < KillsPerKind() && !HasFailure()) {
    KillRound(kind, &known, &first, &figures);
  }
  RunToEnd(kind, first);
  const int left = CountTemporaries(Target(kind));
  EXPECT_LE(left, kMaxLeftoverTemporaries) << NameOf(kind) << ": temporaries pile up";
  Report(NameOf(kind) + ".kills_survived", HasFailure() ? 0 : figures.kills);
  Report(NameOf(kind) + ".unconfirmed_saves_found", figures.unconfirmed_saves_found);
  Report(NameOf(kind) + ".most_temporaries_after_a_kill", figures.most_temporaries);
  Report(NameOf(kind) + ".temporaries_left_at_end", left);
}

// The library's own atomic saves, on every platform.
INSTANTIATE_TEST_SUITE_P(OwnSaves, CrashTest, ::testing::Values(Kind::kDocument, Kind::kPassword),
                         KindTestName);
// The Linux stand-ins of the registry and the INI service.
INSTANTIATE_TEST_SUITE_P(StandIns, CrashTest, ::testing::Values(Kind::kRegistry, Kind::kIni),
                         KindTestName);

}  // namespace
}  // namespace fennimar::reliability
