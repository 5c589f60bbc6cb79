// The atomic replace where only POSIX systems go: permission bits and the
// umask, symbolic links, and writers killed mid-save in forked processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "src/platform/AtomicFile.h"
#include "src/platform/posix/PosixBackends.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::FaultInjectingFileSystem;
using ::fennimar::testing::ReadFileOrDie;
using ::fennimar::testing::WriteFileOrDie;
using Op = FaultInjectingFileSystem::Op;
namespace fs = std::filesystem;

constexpr unsigned kNewMode = 0600;

class AtomicFilePosixTest : public ::fennimar::testing::IsolatedTest {
 protected:
  std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(folder))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  // A process saving "w/doc" that runs `there` instead of the rename, its
  // temporary written in full.
  pid_t ForkWriterStoppedAtRename(std::function<void()> there) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    FaultInjectingFileSystem files(*real_);
    files.CallBefore(Op::kRename, std::move(there));
    (void)WriteFileAtomically(files, Path16("w/doc"), "theirs", kNewMode);
    ::_exit(1);
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
  const pid_t killed = ForkWriterStoppedAtRename([] { ::_exit(0); });
  ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
  std::set<std::string> left = Entries("w");
  left.erase("doc");
  ASSERT_EQ(left.size(), 1u);
  const std::string stale = *left.begin();
  WriteFileOrDie(PathOf("w/" + stale + "x"), "the user's");

  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t writer = ForkWriterStoppedAtRename([&ready] {
    if (::write(ready[1], "y", 1) != 1) ::_exit(2);
    for (;;) ::pause();
  });
  // Killed and reaped when it goes, whatever the test did before.
  std::shared_ptr<void> running(nullptr, [writer](void*) {
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
  });
  ::close(ready[1]);  // a writer that ends early gives end-of-file, not a wait
  char report = 0;
  ASSERT_EQ(::read(ready[0], &report, 1), 1);
  ::close(ready[0]);
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
