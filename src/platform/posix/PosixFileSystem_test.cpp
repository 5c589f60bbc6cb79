// The file services on POSIX systems, where they go beyond the results every
// platform shares (FileSystem_test.cpp): flock locks.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
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

// Both kinds of lock are flock locks, met by another descriptor as by another
// process (the reliability suite's concurrency and crash tests have those),
// and nobody else may open a lock file to hold it.
TEST_F(PosixFileSystemTest, LocksAreMetByOtherDescriptors) {
  WriteFileOrDie(PathOf("doc"), "x");
  std::unique_ptr<FileLock> lock, held;
  ASSERT_TRUE(files_->LockFile(Path16("doc.lock"), &lock).ok());
  ASSERT_TRUE(files_->LockExistingFile(Path16("doc"), &held).ok());
  EXPECT_EQ(fs::status(PathOf("doc.lock")).permissions() & fs::perms(077), fs::perms::none);
  EXPECT_EQ(TryLock(PathOf("doc.lock")), EWOULDBLOCK);
  EXPECT_EQ(TryLock(PathOf("doc")), EWOULDBLOCK);
  lock.reset();
  EXPECT_EQ(TryLock(PathOf("doc.lock")), 0);
}

// A file whose size, as measured, is less than what it holds (the kernel's
// files give 0) is read to its end all the same.
TEST_F(PosixFileSystemTest, ReadsFilesLargerThanTheirMeasuredSize) {
  std::string bytes;
  ASSERT_TRUE(files_->ReadFile(u"/proc/self/maps", std::size_t{1} << 24, &bytes).ok());
  EXPECT_NE(bytes.find("\n"), std::string::npos);
  EXPECT_EQ(files_->ReadFile(u"/proc/self/maps", 8, &bytes).code(), Status::Code::kTooLarge);
}

}  // namespace
}  // namespace fennimar::platform
