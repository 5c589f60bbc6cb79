// Several processes on one document: the command beside a host, four shared
// writers at once, writers killed at random, and read-only commands.
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/ReliabilitySupport.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

constexpr int kSlots = 4;
constexpr long kChangesPerSlot = 200;
constexpr int kMaxKillDelayMs = 20;
constexpr long kRoundStride = 100000;
#if defined(_WIN32)
constexpr int kReadOnlyRuns = 50;  // a process start under Wine takes long
constexpr int kKillRounds = 8;
#elif defined(__SANITIZE_ADDRESS__)
// Each run of the sanitized command costs most of a second; the optimised
// build (the suite's run under valgrind) makes all thousand.
constexpr int kReadOnlyRuns = 100;
constexpr int kKillRounds = 24;
#else
constexpr int kReadOnlyRuns = 1000;
constexpr int kKillRounds = 24;
#endif

int _Fennimar_Config_::*const kSwitches[] = {
    &_Fennimar_Config_::launchcode, &_Fennimar_Config_::mouseHook,
    &_Fennimar_Config_::soundEffect, &_Fennimar_Config_::lightEffect};

std::string Built(const std::string& name) {
  const fs::path programs = testing::TemplateDocumentPath().parent_path();
  return (programs / (name + FENNIMAR_EXE_SUFFIX)).u8string();
}

// The file's bytes; empty when it cannot be opened.
std::string ReadBytes(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error) ? testing::ReadFileOrDie(path) : std::string();
}

// What a slot's changes left in the document.
struct SlotState {
  int switch_value = -1;
  int mouse_no = -1;
  int apps = 0;  // applications under the slot's prefix
};

class SharedModeTest : public ReliabilityTest {
 protected:
  SharedModeTest() {
    SeedRegistry(WallpaperOf(0));
    fs::copy_file(host() / "Fennimar.xml", document());
  }
  // Not one test per kind of file: nothing of the parameterised set-up.
  void SetUp() override {}

  CString Document() const { return CString::FromUtf8(document().u8string()); }

  // Runs the command on the test's document: the exit status and its error
  // output.
  std::pair<int, std::string> Command(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {Built("fennimar"), "--document", document().u8string()};
    argv.insert(argv.end(), args.begin(), args.end());
    const testing::ChildResult ran = testing::ChildProcess::Run(argv);
    return {ran.status, ran.failure + ran.err};
  }

  // The document as a shared-mode reader sees it now; false when it cannot
  // be read.
  bool Read(std::vector<SlotState>* slots, std::size_t* app_count) {
    FennimarDllInterface reader(Document(), FennimarOptions{true});
    _Fennimar_Config_ config;
    std::vector<_VDESKTOPINFO_> workspaces;
    std::vector<_Fennimar_AppItem_> apps;
    if (reader.GetConfig(config) != RC_SUCCESS || reader.GetWorkspcaeConfig(workspaces) != RC_SUCCESS ||
        reader.GetApplicationsList(apps) != RC_SUCCESS || workspaces.size() < static_cast<std::size_t>(kSlots)) {
      return false;
    }
    slots->assign(kSlots, SlotState());
    for (int slot = 0; slot < kSlots; ++slot) {
      (*slots)[slot].switch_value = config.*kSwitches[slot];
      (*slots)[slot].mouse_no = workspaces[slot].mouseNo;
      const std::string prefix = "/slot" + std::to_string(slot) + "/";
      for (const auto& app : apps) (*slots)[slot].apps += app.path.ToUtf8().rfind(prefix, 0) == 0;
    }
    *app_count = apps.size();
    return true;
  }

  std::unique_ptr<Child> StartWriter(int slot, long first, long count) const {
    return std::make_unique<Child>(WriterArgs("shared" + std::to_string(slot), first, count));
  }
};

bool HasGimp(FennimarDllInterface& settings) {
  std::vector<_Fennimar_AppItem_> apps;
  EXPECT_EQ(settings.GetApplicationsList(apps), RC_SUCCESS);
  return std::any_of(apps.begin(), apps.end(),
                     [](const auto& app) { return app.path == u"/usr/bin/gimp"; });
}

TEST_F(SharedModeTest, AHostKeepsTheCommandsChangeOnlyInSharedMode) {
  for (const bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared holder" : "default holder");
    // Removed first: mingw's copy_file refuses to overwrite, whatever the option.
    fs::remove(document());
    fs::copy_file(host() / "Fennimar.xml", document());
    {
      FennimarDllInterface holder(Document(), FennimarOptions{shared});
      const auto [status, err] = Command({"apps", "add", "--key", "3", "--path", "/usr/bin/gimp"});
      EXPECT_EQ(status, 0) << err;
      EXPECT_EQ(err.find("warning: another program holds its own copy") != std::string::npos,
                !shared)
          << err;
      EXPECT_EQ(HasGimp(holder), shared);
    }
    FennimarDllInterface after(Document(), FennimarOptions{true});
    EXPECT_EQ(HasGimp(after), shared);
  }
}

TEST_F(SharedModeTest, FourProcessesLoseNoChange) {
  std::vector<std::unique_ptr<Child>> writers;
  for (int slot = 0; slot < kSlots; ++slot) writers.push_back(StartWriter(slot, 1, kChangesPerSlot));
  for (auto& writer : writers) ASSERT_TRUE(writer->WaitForLine(kReadyLine));
  // Every read finds a whole document, no value ever goes back (a lost
  // change would), and the list stays within its limit.
  std::vector<SlotState> seen(kSlots), now;
  std::size_t app_count = 0;
  int reads = 0;
  while (std::any_of(writers.begin(), writers.end(), [](auto& w) { return !w->Exited(); })) {
    ASSERT_TRUE(Read(&now, &app_count));
    ++reads;
    EXPECT_LE(app_count, 8u);
    for (int slot = 0; slot < kSlots; ++slot) {
      EXPECT_GE(now[slot].switch_value, seen[slot].switch_value) << "slot " << slot;
      EXPECT_GE(now[slot].mouse_no, seen[slot].mouse_no) << "slot " << slot;
      EXPECT_LE(now[slot].apps, 1) << "slot " << slot;
    }
    seen = now;
    PauseMilliseconds(1);
  }
  for (auto& writer : writers) EXPECT_EQ(writer->Finish(), 0);
  ASSERT_TRUE(Read(&now, &app_count));
  for (int slot = 0; slot < kSlots; ++slot) {
    EXPECT_EQ(now[slot].switch_value, kChangesPerSlot) << "slot " << slot;
    EXPECT_EQ(now[slot].mouse_no, kChangesPerSlot) << "slot " << slot;
    EXPECT_EQ(now[slot].apps, 1) << "slot " << slot;
  }
  EXPECT_EQ(app_count, 2u + kSlots);  // the template's two and one per slot
  Report("reads_during_changes", reads);
}

// A killed writer's value is the last it reported or the one after; the next
// writers run (a lock left behind would stop them) and finish exactly.
TEST_F(SharedModeTest, AKilledWriterLeavesNoLockAndNoHalfChange) {
  std::mt19937 random(20261206);
  std::vector<SlotState> last;
  std::size_t apps_at_start = 0;
  ASSERT_TRUE(Read(&last, &apps_at_start));
  for (int round = 1; round <= kKillRounds; ++round) {
    const int slot = round % kSlots;
    const long first = round * kRoundStride;
    const std::unique_ptr<Child> writer = StartWriter(slot, first, kRoundStride - 1);
    ASSERT_TRUE(writer->WaitForLine(kReadyLine));
    PauseMilliseconds(static_cast<int>(random() % (kMaxKillDelayMs + 1)));
    writer->Kill();
    writer->Finish();
    const std::vector<long> printed = writer->Versions();
    const long next = printed.empty() ? first : printed.back() + 1;
    std::vector<SlotState> now;
    std::size_t app_count = 0;
    ASSERT_TRUE(Read(&now, &app_count)) << "round " << round;
    const auto allowed = [&](int value, int before) {
      return value == next || value == (printed.empty() ? before : printed.back());
    };
    EXPECT_TRUE(allowed(now[slot].switch_value, last[slot].switch_value)) << "round " << round;
    EXPECT_TRUE(allowed(now[slot].mouse_no, last[slot].mouse_no)) << "round " << round;
    EXPECT_LE(now[slot].apps, 1);
    last = now;
  }
  std::vector<std::unique_ptr<Child>> writers;
  for (int slot = 0; slot < kSlots; ++slot) writers.push_back(StartWriter(slot, 1, 10));
  for (auto& writer : writers) EXPECT_EQ(writer->Finish(), 0);
  std::vector<SlotState> now;
  std::size_t app_count = 0;
  ASSERT_TRUE(Read(&now, &app_count));
  for (int slot = 0; slot < kSlots; ++slot) EXPECT_EQ(now[slot].switch_value, 10);
}

// The bytes, the time of the last write and the file's identity.
std::tuple<std::string, fs::file_time_type, std::string> StateOf(const fs::path& path) {
  return {ReadBytes(path), fs::last_write_time(path), FileIdentity(path)};
}

TEST_F(SharedModeTest, AReadOnlyCommandNeverRewritesTheDocument) {
  {  // the document as the library writes it, so that no run has a reason to
    FennimarDllInterface settings(Document());
    _Fennimar_Config_ config;
    ASSERT_EQ(settings.GetConfig(config), RC_SUCCESS);
    ASSERT_EQ(settings.SetConfig(config), RC_SUCCESS);
  }
  const auto before = StateOf(document());
  for (int run = 0; run < kReadOnlyRuns; ++run) {
    Child command({Built("fennimar"), "--document", document().u8string(), "switches", "get",
                   "sound-effect"});
    ASSERT_EQ(command.Finish(), 0) << "run " << run;
  }
  EXPECT_TRUE(StateOf(document()) == before);
}

}  // namespace
}  // namespace fennimar::reliability
