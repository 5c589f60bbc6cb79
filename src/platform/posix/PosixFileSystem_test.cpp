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

using ::fennimar::testing::U8;
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

TEST_F(PosixFileSystemTest, ReadFileKeepsToItsLimit) {
  WriteFileOrDie(PathOf("ten"), "0123456789");
  std::string bytes = "untouched";
  EXPECT_EQ(files_->ReadFile(Path16("ten"), 9, &bytes).code(), Status::Code::kTooLarge);
  EXPECT_EQ(bytes, "untouched");
  ASSERT_TRUE(files_->ReadFile(Path16("ten"), 10, &bytes).ok());
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_TRUE(files_->ReadFile(Path16("absent"), 10, &bytes).IsNotFound());
  EXPECT_EQ(files_->ReadFile(Path16("config"), 10, &bytes).os_error(), EISDIR);
}

TEST_F(PosixFileSystemTest, UniqueFilesNeverShareAName) {
  std::u16string first_path, second_path;
  std::unique_ptr<WritableFile> first, second;
  const std::u16string prefix = Path16("doc.tmp");
  ASSERT_TRUE(files_->CreateUniqueFile(prefix, 0600, &first_path, &first).ok());
  ASSERT_TRUE(files_->CreateUniqueFile(prefix, 0600, &second_path, &second).ok());
  EXPECT_NE(first_path, second_path);
  for (const std::u16string& path : {first_path, second_path}) {
    EXPECT_EQ(path.rfind(prefix + u".", 0), 0u) << U8(path);
  }
}

// Another process holds the lock until it is killed.
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

TEST_F(PosixFileSystemTest, LockExistingFileIsBusyWhileHeldAndCreatesNothing) {
  WriteFileOrDie(PathOf("doc"), "x");
  std::unique_ptr<FileLock> held, other;
  ASSERT_TRUE(files_->LockExistingFile(Path16("doc"), &held).ok());
  EXPECT_EQ(files_->LockExistingFile(Path16("doc"), &other).code(), Status::Code::kBusy);
  EXPECT_EQ(TryLock(PathOf("doc")), EWOULDBLOCK);
  held.reset();
  EXPECT_TRUE(files_->LockExistingFile(Path16("doc"), &other).ok());

  EXPECT_TRUE(files_->LockExistingFile(Path16("absent"), &held).IsNotFound());
  EXPECT_FALSE(fs::exists(PathOf("absent")));
  EXPECT_EQ(files_->LockExistingFile(Path16("config"), &held).code(), Status::Code::kIoError);
}

}  // namespace
}  // namespace fennimar::platform
