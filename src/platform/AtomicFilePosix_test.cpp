// The atomic replace where only POSIX systems go: permission bits and the
// umask, symbolic links, and writers killed mid-save in forked processes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "src/platform/AtomicFile.h"
#include "src/platform/posix/PosixBackends.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::ChildProcess;
using ::fennimar::testing::FaultInjectingFileSystem;
using ::fennimar::testing::ReadFileOrDie;
using ::fennimar::testing::WriteFileOrDie;
using Op = FaultInjectingFileSystem::Op;
namespace fs = std::filesystem;

constexpr unsigned kNewMode = 0600;
// How long the test waits for a forked writer to reach its rename: a guard
// against a hang, not a measure of speed.
constexpr int kPatienceMs = 60000;

class AtomicFilePosixTest : public ::fennimar::testing::IsolatedTest {
 protected:
  std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(folder))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  // A forked process saving "w/doc" that runs `there` instead of the
  // rename, its temporary written in full.
  std::unique_ptr<ChildProcess> ForkWriterStoppedAtRename(std::function<void()> there) {
    std::string error;
    auto child = ChildProcess::Fork(
        [&] {
          FaultInjectingFileSystem files(*real_);
          files.CallBefore(Op::kRename, there);
          (void)WriteFileAtomically(files, Path16("w/doc"), "theirs", kNewMode);
          return 1;
        },
        &error);
    EXPECT_NE(child, nullptr) << error;
    return child;
  }

  std::unique_ptr<FileSystem> real_ = NewPosixFileSystem();
};

// A new file gets the exact bits asked for, even those the umask would take
// away (AtomicFile_test.cpp holds the bits a replacement keeps).
TEST_F(AtomicFilePosixTest, ANewFileGetsTheBitsAskedForAndLinksAreWrittenThrough) {
  const mode_t saved_umask = ::umask(077);
  const Status created = WriteFileAtomically(*real_, Path16("fresh"), "", 0644);
  ::umask(saved_umask);
  ASSERT_TRUE(created.ok()) << created.message();
  EXPECT_EQ(fs::status(PathOf("fresh")).permissions(), fs::perms(0644));

  fs::create_directories(PathOf("real"));
  fs::create_directories(PathOf("links"));
  WriteFileOrDie(PathOf("real/target"), "old");
  // A relative chain: links/first -> second -> ../real/target.
  fs::create_symlink("../real/target", PathOf("links/second"));
  fs::create_symlink("second", PathOf("links/first"));
  ASSERT_TRUE(WriteFileAtomically(*real_, Path16("links/first"), "new", kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathOf("real/target")), "new");
  EXPECT_TRUE(fs::is_symlink(PathOf("links/first")));
  EXPECT_TRUE(fs::is_symlink(PathOf("links/second")));
  EXPECT_EQ(Entries("links"), (std::set<std::string>{"first", "second"}));
}

// A writer killed mid-save leaves its temporary; the next save removes it,
// but never the temporary of a writer still running, nor a look-alike name.
TEST_F(AtomicFilePosixTest, RemovesTheTemporariesOfEndedWritersOnly) {
  fs::create_directories(PathOf("w"));
  WriteFileOrDie(PathOf("w/doc"), "old");
  const std::unique_ptr<ChildProcess> killed = ForkWriterStoppedAtRename([] { ::_exit(0); });
  ASSERT_TRUE(killed);
  ASSERT_EQ(killed->Wait(), 0);
  std::set<std::string> left = Entries("w");
  left.erase("doc");
  ASSERT_EQ(left.size(), 1u);
  const std::string stale = *left.begin();
  WriteFileOrDie(PathOf("w/" + stale + "x"), "the user's");

  // Killed and reaped when it goes, whatever the test did before.
  std::unique_ptr<ChildProcess> running = ForkWriterStoppedAtRename([] {
    if (::write(STDOUT_FILENO, "y", 1) != 1) ::_exit(2);
    for (;;) ::pause();
  });
  ASSERT_TRUE(running);
  std::string report;  // a writer that ends early gives end-of-file, not a wait
  ASSERT_EQ(running->ReadSome(ChildProcess::Stream::kOutput, kPatienceMs, &report),
            ChildProcess::Read::kData);
  std::set<std::string> kept = Entries("w");
  kept.erase(stale);
  ASSERT_TRUE(WriteFileAtomically(*real_, Path16("w/doc"), "new", kNewMode).ok());
  EXPECT_EQ(Entries("w"), kept);
  EXPECT_EQ(ReadFileOrDie(PathOf("w/doc")), "new");

  running.reset();
  // A clean-up that fails never stops the save; the next one clears up.
  FaultInjectingFileSystem files(*real_);
  files.FailOperation(Op::kRemoveStaleUniqueFiles, 1, EACCES);
  ASSERT_TRUE(WriteFileAtomically(files, Path16("w/doc"), "newer", kNewMode).ok());
  EXPECT_EQ(Entries("w"), kept);
  ASSERT_TRUE(WriteFileAtomically(files, Path16("w/doc"), "newest", kNewMode).ok());
  EXPECT_EQ(Entries("w"), (std::set<std::string>{"doc", stale + "x"}));
}

}  // namespace
}  // namespace fennimar::platform
