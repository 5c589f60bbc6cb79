// The file services on Windows: the locks are Windows' own (sharing modes
// and byte-range locks), and replacing a file is one MoveFileExW.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::IsolatedTest;

class Win32FileSystemTest : public IsolatedTest {
 protected:
  std::unique_ptr<FileSystem> files_ = NewWin32FileSystem();
};

TEST_F(Win32FileSystemTest, AFileOpenedWithoutSharingIsBusyForEveryoneElse) {
  testing::WriteFileOrDie(PathOf("password"), "x");
  std::unique_ptr<FileLock> held, second;
  ASSERT_TRUE(files_->LockExistingFile(Path16("password"), &held).ok());
  EXPECT_EQ(files_->LockExistingFile(Path16("password"), &second).code(), Status::Code::kBusy);
  std::string bytes;
  EXPECT_EQ(files_->ReadFile(Path16("password"), 100, &bytes).code(), Status::Code::kBusy);
  held.reset();
  EXPECT_TRUE(files_->LockExistingFile(Path16("password"), &second).ok());
  EXPECT_TRUE(files_->LockExistingFile(Path16("missing"), &held).IsNotFound());
  EXPECT_FALSE(files_->PathExists(Path16("missing")));
  EXPECT_EQ(files_->LockExistingFile(u"", &held).code(), Status::Code::kInvalid);
}

TEST_F(Win32FileSystemTest, AFolderIsNoFile) {
  ASSERT_TRUE(files_->CreateDirectory(Path16("folder")).ok());
  std::unique_ptr<FileLock> lock;
  EXPECT_EQ(files_->LockExistingFile(Path16("folder"), &lock).code(), Status::Code::kIoError);
  std::string bytes;
  EXPECT_EQ(files_->ReadFile(Path16("folder"), 100, &bytes).code(), Status::Code::kIoError);
}

TEST_F(Win32FileSystemTest, UniqueFilesAreWrittenAndRenamedOverTheTarget) {
  testing::WriteFileOrDie(PathOf("target"), "old");
  std::u16string temporary;
  std::unique_ptr<WritableFile> file;
  ASSERT_TRUE(files_->CreateUniqueFile(Path16("target.tmp"), 0644, &temporary, &file).ok());
  ASSERT_TRUE(file->Append("new").ok());
  ASSERT_TRUE(file->Sync().ok());
  ASSERT_TRUE(file->Close().ok());
  ASSERT_TRUE(files_->RenameFile(temporary, Path16("target")).ok());
  EXPECT_EQ(testing::ReadFileOrDie(PathOf("target")), "new");
  EXPECT_FALSE(files_->PathExists(temporary));
  unsigned mode = 0;
  EXPECT_TRUE(files_->GetPermissions(Path16("target"), &mode).ok());
  EXPECT_EQ(mode, 0644u) << "Windows keeps no permission bits; a fixed mode is reported";
  std::string bytes;
  EXPECT_EQ(files_->ReadFile(Path16("target"), 2, &bytes).code(), Status::Code::kTooLarge);
}

TEST_F(Win32FileSystemTest, TheLockFileLockIsHeldUntilReleased) {
  std::unique_ptr<FileLock> lock;
  ASSERT_TRUE(files_->LockFile(Path16("doc.lock"), &lock).ok());
  EXPECT_TRUE(files_->PathExists(Path16("doc.lock")));
  lock.reset();
  ASSERT_TRUE(files_->LockFile(Path16("doc.lock"), &lock).ok()) << "released with the handle";
}

}  // namespace
}  // namespace fennimar::platform
