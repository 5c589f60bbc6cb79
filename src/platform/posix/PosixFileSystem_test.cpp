#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::ReadFileOrDie;
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

// TryLock from a child process: the lock must keep other processes out.
int TryLockInChild(const fs::path& path) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(TryLock(path));
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class PosixFileSystemTest : public ::fennimar::testing::IsolatedTest {
 protected:
  unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return static_cast<unsigned>(info.st_mode) & 07777u;
  }

  std::unique_ptr<FileSystem> files_ = NewPosixFileSystem();
};

TEST_F(PosixFileSystemTest, ReadFileKeepsToItsLimitAndNamesWhatIsWrong) {
  WriteFileOrDie(PathOf("ten"), "0123456789");
  std::string bytes = "untouched";
  EXPECT_EQ(files_->ReadFile(Path16("ten"), 9, &bytes).code(), Status::Code::kTooLarge);
  EXPECT_EQ(bytes, "untouched");
  ASSERT_TRUE(files_->ReadFile(Path16("ten"), 10, &bytes).ok());
  EXPECT_EQ(bytes, "0123456789");

  const std::string big(300000, 'b');  // more than one read
  WriteFileOrDie(PathOf("big"), big);
  ASSERT_TRUE(files_->ReadFile(Path16("big"), big.size(), &bytes).ok());
  EXPECT_EQ(bytes, big);

  const Status missing = files_->ReadFile(Path16("absent"), 10, &bytes);
  EXPECT_TRUE(missing.IsNotFound());
  EXPECT_EQ(missing.os_error(), ENOENT);
  EXPECT_EQ(missing.message(), "open " + PathOf("absent").string() + ": No such file or directory");
  const Status below_file = files_->ReadFile(Path16("ten/inner"), 10, &bytes);
  EXPECT_TRUE(below_file.IsNotFound());
  EXPECT_EQ(below_file.os_error(), ENOTDIR);
  const Status folder = files_->ReadFile(Path16("config"), 10, &bytes);
  EXPECT_EQ(folder.code(), Status::Code::kIoError);
  EXPECT_EQ(folder.os_error(), EISDIR);
}

TEST_F(PosixFileSystemTest, UniqueFilesNeverShareANameAndGetExactlyTheirMode) {
  const mode_t saved_umask = ::umask(022);
  std::u16string first_path, second_path;
  std::unique_ptr<WritableFile> first, second;
  const std::u16string prefix = Path16("doc.tmp");
  ASSERT_TRUE(files_->CreateUniqueFile(prefix, 0666, &first_path, &first).ok());
  ASSERT_TRUE(files_->CreateUniqueFile(prefix, 0666, &second_path, &second).ok());
  ::umask(saved_umask);
  EXPECT_NE(first_path, second_path);
  for (const std::u16string& path : {first_path, second_path}) {
    EXPECT_EQ(path.rfind(prefix + u".", 0), 0u) << U8(path);
    EXPECT_EQ(ModeOf(U8(path)), 0666u);
  }

  const std::string data(200000, 'd');
  ASSERT_TRUE(first->Append(data).ok());
  ASSERT_TRUE(first->Append("!").ok());
  ASSERT_TRUE(first->Sync().ok());
  ASSERT_TRUE(first->Close().ok());
  EXPECT_EQ(ReadFileOrDie(U8(first_path)), data + "!");
  EXPECT_EQ(first->Append("late").os_error(), EBADF);

  std::u16string path;
  std::unique_ptr<WritableFile> file;
  EXPECT_TRUE(files_->CreateUniqueFile(Path16("absent/doc"), 0600, &path, &file).IsNotFound());
}

TEST_F(PosixFileSystemTest, FoldersNamesAndPermissionsChangeAsAsked) {
  ASSERT_TRUE(files_->CreateDirectory(Path16("sub")).ok());
  EXPECT_TRUE(files_->PathExists(Path16("sub")));
  EXPECT_FALSE(files_->PathExists(Path16("absent")));
  EXPECT_EQ(files_->CreateDirectory(Path16("sub")).os_error(), EEXIST);
  EXPECT_TRUE(files_->CreateDirectory(Path16("absent/sub")).IsNotFound());

  WriteFileOrDie(PathOf("sub/a"), "from a");
  WriteFileOrDie(PathOf("sub/b"), "from b");
  fs::permissions(PathOf("sub/a"), fs::perms(0751));
  ASSERT_TRUE(files_->RenameFile(Path16("sub/a"), Path16("sub/b")).ok());
  EXPECT_EQ(ReadFileOrDie(PathOf("sub/b")), "from a");
  EXPECT_FALSE(fs::exists(PathOf("sub/a")));
  unsigned mode = 0;
  ASSERT_TRUE(files_->GetPermissions(Path16("sub/b"), &mode).ok());
  EXPECT_EQ(mode, 0751u);
  EXPECT_TRUE(files_->GetPermissions(Path16("sub/a"), &mode).IsNotFound());
  EXPECT_TRUE(files_->RenameFile(Path16("sub/a"), Path16("sub/c")).IsNotFound());

  ASSERT_TRUE(files_->RemoveFile(Path16("sub/b")).ok());
  EXPECT_TRUE(files_->RemoveFile(Path16("sub/b")).IsNotFound());
  EXPECT_TRUE(files_->SyncDirectory(Path16("sub")).ok());
  EXPECT_TRUE(files_->SyncDirectory(u"").ok());
  EXPECT_TRUE(files_->SyncDirectory(Path16("absent")).IsNotFound());
  std::u16string with_nul = Path16("sub");
  with_nul += u'\0';
  std::string bytes;
  EXPECT_EQ(files_->ReadFile(with_nul + u"x", 1, &bytes).code(), Status::Code::kInvalid);
}

TEST_F(PosixFileSystemTest, ResolveLinksFollowsEveryLinkOnThePath) {
  const fs::path real = fs::canonical(root()) / "real";
  fs::create_directories(real);
  WriteFileOrDie(real / "doc", "x");
  fs::create_directory_symlink("real", PathOf("folder"));  // a link in the folder part
  fs::create_symlink("second", real / "first");            // relative to the link's folder
  fs::create_symlink(real / "doc", real / "second");       // absolute
  fs::create_symlink("nowhere", real / "dangling");
  fs::create_symlink("loop2", real / "loop1");
  fs::create_symlink("loop1", real / "loop2");

  const auto resolve = [this](const std::string& name) {
    std::u16string resolved;
    const Status status = files_->ResolveLinks(Path16(name), &resolved);
    return status.ok() ? U8(resolved) : "error " + std::to_string(status.os_error());
  };
  EXPECT_EQ(resolve("folder/doc"), (real / "doc").string());
  EXPECT_EQ(resolve("folder/first"), (real / "doc").string());
  EXPECT_EQ(resolve("folder/new"), (real / "new").string());
  EXPECT_EQ(resolve("folder/dangling"), (real / "nowhere").string());
  EXPECT_EQ(resolve("folder/loop1"), "error " + std::to_string(ELOOP));
  EXPECT_EQ(resolve("absent/doc"), "error " + std::to_string(ENOENT));
}

TEST_F(PosixFileSystemTest, LockKeepsOtherProcessesOutUntilItsHolderGoes) {
  const fs::path lock_path = PathOf("doc.lock");
  std::unique_ptr<FileLock> lock;
  ASSERT_TRUE(files_->LockFile(Path16("doc.lock"), &lock).ok());
  EXPECT_EQ(ModeOf(lock_path) & 077u, 0u);  // nobody else may open it to hold it
  EXPECT_EQ(TryLockInChild(lock_path), EWOULDBLOCK);
  lock.reset();
  EXPECT_EQ(TryLockInChild(lock_path), 0);

  // A holder that is killed gives the lock back.
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
  ::close(ready[1]);
  char report = 0;
  EXPECT_EQ(::read(ready[0], &report, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(report, 'y');
  EXPECT_EQ(TryLock(lock_path), EWOULDBLOCK);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(TryLock(lock_path), 0);
  ASSERT_TRUE(files_->LockFile(Path16("doc.lock"), &lock).ok());
}

TEST(PosixMiscTest, FindsItsExecutableAndSleepsTheWholeTime) {
  const std::unique_ptr<ModulePath> module = NewPosixModulePath();
  const std::string executable = U8(module->ExecutableFileName());
  EXPECT_TRUE(fs::equivalent(executable, "/proc/self/exe")) << executable;
  EXPECT_EQ(module->ModuleFileName(), module->ExecutableFileName());

  const auto start = std::chrono::steady_clock::now();
  NewPosixSleeper()->SleepMilliseconds(30);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

}  // namespace
}  // namespace fennimar::platform
