// Several processes change each file at once while the test reads the files
// at many instants: every read finds a whole file, the document's switches are
// never mixed from two saves, the registry hive and the INI file lose no
// process's value, and the password check never gives a wrong answer. One
// test per kind of file; the registry and INI kinds, named *Posix, exercise
// the Linux stand-ins and are skipped on Windows, where those files are the
// system's.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/ReliabilitySupport.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

constexpr int kWritersPerFile = 3;
constexpr long kChangesPerWriter = 300;
// Writer p saves the versions p * kVersionStride + 1 onwards.
constexpr long kVersionStride = 100000;
// The wallpaper writer's number, after the document and password writers'.
constexpr int kWallpaperWriter = kWritersPerFile;
// Bounds the reading loop should a writer never end.
constexpr int kMaxReadRounds = 100000;

// HWinfo.ini around the flag; the stress section grows one key per writer.
std::string IniHead(const std::string& flag) {
  return "; hardware information\r\n[SystemRequest]\r\nIsFirstFlag=" + flag +
         "\r\n[display]\r\nWidth=1920\r\n[" + kStressSection + "]\r\n";
}

std::string ValueName(int writer) { return "proc" + std::to_string(writer); }

long FirstVersion(int writer) { return writer * kVersionStride + 1; }

// True for the seeded version 0 and for a version that `writers` writers may
// have saved.
bool IsSaved(long version, int writers) {
  if (version == 0) return true;
  const long offset = version % kVersionStride;
  return version > 0 && version / kVersionStride < writers && offset >= 1 &&
         offset <= kChangesPerWriter;
}

// `name`'s number in the hive's text ("name"=dword:0000000a) or the INI
// file's stress section (name=10); -1 when it is not there.
long HiveValue(const std::string& hive, const std::string& name) {
  const std::string spelled = "\"" + name + "\"=dword:";
  const std::size_t at = hive.find(spelled);
  if (at == std::string::npos) return -1;
  return std::strtol(hive.substr(at + spelled.size(), 8).c_str(), nullptr, 16);
}

long IniValue(const std::string& section, const std::string& name) {
  const std::size_t at = section.find(name + "=");
  if (at == std::string::npos) return -1;
  return std::strtol(section.c_str() + at + name.size() + 1, nullptr, 10);
}

class ConcurrencyTest : public ReliabilityTest, public ::testing::WithParamInterface<Kind> {
 protected:
  ConcurrencyTest() {
    SeedHive();
    SeedDocumentAndPassword();
    WriteBytes(ini(), IniHead("1"));
    verifier_ = std::make_unique<FennimarDllInterface>(
        CString::FromUtf8((root() / "verify.xml").u8string()));
    verifier_->SetPasswordFilePath(CString::FromUtf8(password().u8string()));
  }

  void Start(const std::string& file, std::vector<std::string> argv) {
    writers_.push_back({file, std::make_unique<Child>(argv)});
  }

  // The document and the password file get three writers of the kind; the
  // registry and the INI file three processes setting values of their own and
  // one writer of the library's value, and the INI file a host reading its
  // flag besides.
  void StartWriters(Kind kind) {
    const std::string folder = root().u8string();
    const std::string count = std::to_string(kChangesPerWriter);
    const std::string name = NameOf(kind);
    for (int p = 0; p < kWritersPerFile; ++p) {
      const std::string first = std::to_string(FirstVersion(p));
      if (kind == Kind::kDocument || kind == Kind::kPassword) {
        Start(name, {writer(), name, folder, first, count});
      } else {
        const std::string file = kind == Kind::kIni ? ini().u8string() : "-";
        Start(name, {values(), name, file, ValueName(p), count});
      }
    }
    if (kind == Kind::kRegistry) {
      Start(name, {writer(), name, folder, std::to_string(FirstVersion(kWallpaperWriter)), count});
    } else if (kind == Kind::kIni) {
      Start(name, {writer(), name, folder, "1", count});
      Start("ini.reads_in_a_host", {writer(), "ini-read", folder, "0", count});
    }
  }

  void Check(Kind kind) {
    switch (kind) {
      case Kind::kDocument: return CheckDocument();
      case Kind::kRegistry: return CheckHive();
      case Kind::kIni: return CheckIni();
      case Kind::kPassword: return CheckPassword();
    }
  }

  bool AllExited() {
    for (const Writer& w : writers_) {
      if (!w.child->Exited()) return false;
    }
    return true;
  }

  void CheckDocument() {
    FennimarDllInterface settings(CString::FromUtf8(document().u8string()));
    _Fennimar_Config_ c{-1, -2, -3, -4};
    ASSERT_EQ(settings.GetConfig(c), RC_SUCCESS);
    ASSERT_TRUE(c.launchcode == c.mouseHook && c.mouseHook == c.soundEffect &&
                c.soundEffect == c.lightEffect)
        << "switches from different saves: " << c.launchcode << " " << c.mouseHook << " "
        << c.soundEffect << " " << c.lightEffect;
    ASSERT_TRUE(IsSaved(c.launchcode, kWritersPerFile)) << c.launchcode;
    ++reads_["document.reads_checked"];
  }

  // The hive reads through the library, and no writer's value ever goes back.
  void CheckHive() {
    std::uint32_t status = 1;
    ASSERT_EQ(verifier_->GetUsedStatus(status), RC_SUCCESS);
    ASSERT_EQ(status, 0u);
    CString wallpaper;
    ASSERT_EQ(verifier_->GetCurrentBgImage(wallpaper), RC_SUCCESS);
    const long version = NumberAfter(wallpaper.ToUtf8(), "/wallpapers/");
    ASSERT_TRUE(version == 0 || (version / kVersionStride == kWallpaperWriter &&
                                 IsSaved(version, kWallpaperWriter + 1)))
        << wallpaper.ToUtf8();
    ASSERT_EQ(wallpaper.ToUtf8(), WallpaperOf(version));
    const std::string hive_text = ReadBytes(hive());
    for (int p = 0; p < kWritersPerFile; ++p) {
      ExpectNotBehind("hive", ValueName(p), HiveValue(hive_text, ValueName(p)));
    }
    ++reads_["registry.reads_checked"];
  }

  // The text around the stress section stays as it was, but for the flag.
  void CheckIni() {
    const std::string text = ReadBytes(ini());
    const std::string head = text.substr(0, IniHead("0").size());
    ASSERT_TRUE(head == IniHead("0") || head == IniHead("1")) << text;
    const std::string section = text.substr(head.size());
    for (int p = 0; p < kWritersPerFile; ++p) {
      ExpectNotBehind("ini", ValueName(p), IniValue(section, ValueName(p)));
    }
    ++reads_["ini.reads_checked"];
  }

  // A check of the stored password succeeds, or finds the file held by a save;
  // it fails only when the file changed during the check. On Windows a save
  // holds the file unshared, so the test's own reads wait for it.
  void CheckPassword() {
    const std::string before = ReadWhenFree(password());
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(before.size() % 2, 0u);
    CString stored = CString::FromUtf8(StoredPassword(before));
    ASSERT_TRUE(IsSaved(NumberAfter(stored.ToUtf8(), "pw"), kWritersPerFile)) << stored.ToUtf8();
    const _Fennimar_ReturnCode_ answer = verifier_->ValidatePassword(stored);
    const bool changed = ReadWhenFree(password()) != before;
    ASSERT_TRUE(answer == RC_SUCCESS || answer == RC_FILE_ERROR || (answer == RC_FAIL && changed))
        << "ValidatePassword(" << stored.ToUtf8() << ") answered " << answer;
    CString never_saved = u"never saved";
    ASSERT_NE(verifier_->ValidatePassword(never_saved), RC_SUCCESS);
    ++reads_["password.reads_checked"];
    if (answer == RC_FILE_ERROR) ++reads_["password.checks_finding_the_file_held"];
  }

  void ExpectNotBehind(const std::string& file, const std::string& name, long value) {
    long& seen = seen_.emplace(file + "." + name, -1).first->second;  // -1: not set yet
    EXPECT_GE(value, seen) << file << " lost a change of " << name;
    seen = std::max(seen, value);
  }

  // Every writer ended normally; returns the figures of their output: the
  // changes made per file, the host's reads, and the password saves refused
  // while another process held the file.
  std::map<std::string, long> Finish() {
    std::map<std::string, long> figures;
    for (const Writer& w : writers_) {
      EXPECT_EQ(w.child->Finish(), 0) << w.file << " writer";
      const bool reads = w.file.find('.') != std::string::npos;
      figures[reads ? w.file : w.file + ".changes"] += static_cast<long>(w.child->Versions().size());
      for (const std::string& line : w.child->lines()) {
        const long busy = NumberAfter(line, "done ");
        if (busy > 0) figures[w.file + ".saves_refused_while_held"] += busy;
      }
    }
    return figures;
  }

  // At the end every writer's last change is there; the document's last save
  // won whole.
  void CheckFinalState(Kind kind) {
    if (kind == Kind::kDocument) return CheckDocument();
    if (kind == Kind::kPassword) {
      const long last = NumberAfter(StoredPassword(ReadWhenFree(password())), "pw");
      EXPECT_TRUE(IsSaved(last, kWritersPerFile) && last % kVersionStride == kChangesPerWriter)
          << "the last password is not a writer's last save: " << last;
      return;
    }
    if (kind == Kind::kRegistry) {
      const std::string hive_text = ReadBytes(hive());
      for (int p = 0; p < kWritersPerFile; ++p) {
        EXPECT_EQ(HiveValue(hive_text, ValueName(p)), kChangesPerWriter) << ValueName(p);
      }
      CString wallpaper;
      ASSERT_EQ(verifier_->GetCurrentBgImage(wallpaper), RC_SUCCESS);
      EXPECT_EQ(wallpaper.ToUtf8(),
                WallpaperOf(FirstVersion(kWallpaperWriter) + kChangesPerWriter - 1));
      return;
    }
    const std::string ini_text = ReadBytes(ini());
    EXPECT_EQ(ini_text.substr(0, IniHead("0").size()), IniHead("0"));
    for (int p = 0; p < kWritersPerFile; ++p) {
      EXPECT_EQ(IniValue(ini_text.substr(IniHead("0").size()), ValueName(p)), kChangesPerWriter);
    }
  }

  struct Writer {
    std::string file;
    std::unique_ptr<Child> child;
  };
  std::vector<Writer> writers_;
  std::map<std::string, long> seen_;
  std::map<std::string, long> reads_;
  // Reads the registry and checks passwords, on a document of its own.
  std::unique_ptr<FennimarDllInterface> verifier_;
};

TEST_P(ConcurrencyTest, ConcurrentWritersKeepTheFileWholeAndLoseNoChange) {
  const Kind kind = GetParam();
  const std::string skipped = WhyNotTestedHere(kind);
  if (!skipped.empty()) GTEST_SKIP() << skipped;
  StartWriters(kind);
  for (int round = 0; round < kMaxReadRounds && !HasFailure() && !AllExited(); ++round) {
    Check(kind);
  }
  ASSERT_FALSE(HasFailure());
  const std::map<std::string, long> figures = Finish();
  CheckFinalState(kind);
  for (const auto& [name, count] : figures) Report(name, count);
  for (const auto& [name, count] : reads_) Report(name, count);
}

// The library's own atomic saves, on every platform.
INSTANTIATE_TEST_SUITE_P(OwnSaves, ConcurrencyTest,
                         ::testing::Values(Kind::kDocument, Kind::kPassword), KindTestName);
// The Linux stand-ins of the registry and the INI service.
INSTANTIATE_TEST_SUITE_P(StandIns, ConcurrencyTest, ::testing::Values(Kind::kRegistry, Kind::kIni),
                         KindTestName);

}  // namespace
}  // namespace fennimar::reliability
