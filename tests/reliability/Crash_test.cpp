// Writers killed at any moment leave each file whole.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/reliability/ReliabilitySupport.h"

namespace fennimar::reliability {
namespace {

constexpr int kKills = 75;
// A kill comes 0 to this many milliseconds after the writer is ready.
constexpr int kMaxKillDelayMs = 20;
// Enough saves for a writer never to finish before its kill.
constexpr long kEndlessCount = 1000000;
constexpr long kFinalCount = 3;
// Each save removes the temporaries of writers that no longer run; a few may
// be waiting at any time.
constexpr int kMaxLeftoverTemporaries = 4;

// The INI file a round starts from: other content around the flag, varied in
// its values, line ends and encoding (UTF-8, with a mark, UTF-16LE).
std::string IniText(long round, const std::string& flag) {
  const std::string end = round % 2 == 0 ? "\r\n" : "\n", n = std::to_string(round);
  const std::string text = "; round " + n + end + "[display]" + end + "Width = 1" + n + end +
                           "[SystemRequest]" + end + "IsFirstFlag=" + flag + end + "Serial=\"" +
                           std::to_string(round * 7919) + "\"" + end + end + "[tail]" + end +
                           "last=" + n;
  if (round % 3 == 1) return "\xEF\xBB\xBF" + text;
  if (round % 3 == 0) return text;
  std::string wide = "\xFF\xFE";
  for (const char c : text) wide += std::string{c, '\0'};
  return wide;
}

class CrashTest : public ReliabilityTest {
 protected:
  // What the library reads from the file when it holds `version`; the INI
  // round's versions before `round_` are the test's own content.
  std::string Expected(long version) const {
    const std::string flag = version < round_ ? "1" : "0";
    switch (GetParam()) {
      case Kind::kDocument: return SwitchesOf(version);
      case Kind::kRegistry: return WallpaperOf(version);
      case Kind::kIni: return flag + "|" + WithLfLineEnds(IniText(round_, flag));
      case Kind::kPassword: return PasswordOf(version);
    }
    return std::string();
  }

  // Runs a writer from version `first`, the INI file rewritten first.
  std::unique_ptr<Child> StartRound(long first, long count) {
    round_ = first;
    if (GetParam() == Kind::kIni) testing::WriteFileOrDie(ini(), IniText(first, "1"));
    return std::make_unique<Child>(WriterArgs(NameOf(GetParam()), first, count));
  }

  long round_ = 0;
};

TEST_P(CrashTest, KilledWriterLeavesAWholeFileAndDoesNotBlockTheNext) {
  const std::string name = NameOf(GetParam());
  std::mt19937 random(20240611);
  long known = 0, first = 1;  // the version saved last, and the next to save
  int kills = 0, unconfirmed = 0, most_temporaries = 0;
  for (; kills < kKills && !HasFailure(); ++kills) {
    const auto child = StartRound(first, kEndlessCount);
    EXPECT_TRUE(child->WaitForLine(kReadyLine)) << name << " writer did not start";
    PauseMilliseconds(std::uniform_int_distribution<int>(0, kMaxKillDelayMs)(random));
    child->Kill();
    EXPECT_EQ(child->Finish(), -1);
    most_temporaries = std::max(most_temporaries, CountTemporaries(Target(GetParam())));
    const std::vector<long> saved = child->Versions();
    if (!saved.empty()) known = saved.back();
    const long writing = first + static_cast<long>(saved.size());
    first = writing + 1;
    const std::string now = ReadBack();
    if (now == Expected(writing)) {  // the kill came between the rename and the report
      unconfirmed += now != Expected(known);
      known = writing;
    } else {
      EXPECT_EQ(now, Expected(known)) << name << " after a kill, " << saved.size() << " saved";
    }
  }
  const auto last = StartRound(first, kFinalCount);
  EXPECT_EQ(last->Finish(), 0) << name << " writer after the kills";
  EXPECT_EQ(last->Versions().size(), static_cast<std::size_t>(kFinalCount));
  EXPECT_EQ(ReadBack(), Expected(first + kFinalCount - 1)) << name;
  const int left = CountTemporaries(Target(GetParam()));
  EXPECT_LE(left, kMaxLeftoverTemporaries) << name << ": temporaries pile up";
  Report(name + ".kills_survived", HasFailure() ? 0 : kills);
  Report(name + ".unconfirmed_saves_found", unconfirmed);
  Report(name + ".most_temporaries_after_a_kill", most_temporaries);
  Report(name + ".temporaries_left_at_end", left);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CrashTest,
                         ::testing::Values(Kind::kDocument, Kind::kPassword, Kind::kRegistry,
                                           Kind::kIni),
                         KindTestName);

}  // namespace
}  // namespace fennimar::reliability
