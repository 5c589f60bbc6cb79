// The file services on POSIX systems, where they go beyond the results every
// platform shares (FileSystem_test.cpp): flock locks that other processes meet.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::WriteFileOrDie;
namespace fs = std::filesystem;

// 0 when a fresh descriptor of `path` can take the lock at once, else errno.
int TryLock(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

class PosixFileSystemTest : public ::fennimar::testing::IsolatedTest {
 protected:
  std::unique_ptr<FileSystem> files_ = NewPosixFileSystem();
};

TEST_F(PosixFileSystemTest, LockKeepsOtherProcessesOutUntilItsHolderGoes) {
  const fs::path lock_path = PathOf("doc.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    std::unique_ptr<FileLock> held;
    const char report = files_->LockFile(Path16("doc.lock"), &held).ok() ? 'y' : 'n';
    if (::write(ready[1], &report, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  char report = 0;
  EXPECT_EQ(::read(ready[0], &report, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_EQ(report, 'y');
  // Nobody else may open it to hold it.
  EXPECT_EQ(fs::status(lock_path).permissions() & fs::perms(077), fs::perms::none);
  EXPECT_EQ(TryLock(lock_path), EWOULDBLOCK);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(TryLock(lock_path), 0);
}

// A held existing file is busy for another descriptor too, as for another
// process (the shared results are in FileSystem_test.cpp).
TEST_F(PosixFileSystemTest, AHeldFileIsBusyForOtherDescriptors) {
  WriteFileOrDie(PathOf("doc"), "x");
  std::unique_ptr<FileLock> held;
  ASSERT_TRUE(files_->LockExistingFile(Path16("doc"), &held).ok());
  EXPECT_EQ(TryLock(PathOf("doc")), EWOULDBLOCK);
}

}  // namespace
}  // namespace fennimar::platform
