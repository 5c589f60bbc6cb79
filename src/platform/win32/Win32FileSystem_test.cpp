// The Windows file services beyond FileSystem_test.cpp: Windows' own locks
// and a replace that is one MoveFileExW.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Api.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::IsolatedTest;

class Win32FileSystemTest : public IsolatedTest {
 protected:
  // True when an open for reading that shares everything fails with a
  // sharing violation, as any other program's open would.
  bool IsBusyForOthers(const std::string& name) {
    const HANDLE file = ::CreateFileW(PathOf(name).wstring().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION;
  }

  std::unique_ptr<FileSystem> files_ = NewWin32FileSystem();
};

// Another handle of this process meets the same sharing check as another
// process would.
TEST_F(Win32FileSystemTest, AFileHeldWithoutSharingIsBusyForEveryoneButItsHolder) {
  testing::WriteFileOrDie(PathOf("password"), "old");
  std::unique_ptr<FileLock> held, second;
  ASSERT_TRUE(files_->LockExistingFile(Path16("password"), &held).ok());
  EXPECT_EQ(files_->LockExistingFile(Path16("password"), &second).code(), Status::Code::kBusy);
  EXPECT_TRUE(IsBusyForOthers("password"));

  std::string bytes;
  // The holder reads it, by any spelling of its path.
  ASSERT_TRUE(files_->ReadFile(Path16("x\\..\\PASSWORD"), 100, &bytes).ok());
  EXPECT_EQ(bytes, "old");
  EXPECT_EQ(files_->ReadFile(Path16("password"), 2, &bytes).code(), Status::Code::kTooLarge);
  testing::WriteFileOrDie(PathOf("new"), "new");
  ASSERT_TRUE(files_->RenameFile(Path16("new"), Path16("password")).ok()) << "the holder replaces";
  EXPECT_TRUE(IsBusyForOthers("password")) << "and holds the new file";
  ASSERT_TRUE(files_->ReadFile(Path16("password"), 100, &bytes).ok());
  EXPECT_EQ(bytes, "new");

  held.reset();
  EXPECT_FALSE(IsBusyForOthers("password"));
  EXPECT_EQ(files_->LockExistingFile(u"", &held).code(), Status::Code::kInvalid);
}

// The id of a process that has run and ended.
DWORD IdOfAnEndedProcess() {
  std::string error;
  const auto child = testing::ChildProcess::Start({"cmd.exe", "/c", "exit"}, {}, &error);
  if (!child) return 0;
  child->Wait();
  return static_cast<DWORD>(child->Id());
}

// A temporary whose creator has ended is removed; one of a creator still
// running (this process) and a name the file system would not make are kept.
TEST_F(Win32FileSystemTest, TemporariesOfEndedCreatorsAloneAreRemoved) {
  const DWORD ended = IdOfAnEndedProcess();
  ASSERT_NE(ended, 0u);
  const std::string prefix = "doc.tmp";
  const std::string stale = prefix + "." + std::to_string(ended) + "-1-0123456789abcdef";
  const std::string running =
      prefix + "." + std::to_string(::GetCurrentProcessId()) + "-1-0123456789abcdef";
  const std::string other = stale + "x";
  for (const std::string& name : {stale, running, other}) testing::WriteFileOrDie(PathOf(name), "");
  ASSERT_TRUE(files_->RemoveStaleUniqueFiles(Path16(prefix)).ok());
  EXPECT_FALSE(files_->PathExists(Path16(stale)));
  EXPECT_TRUE(files_->PathExists(Path16(running)));
  EXPECT_TRUE(files_->PathExists(Path16(other)));

  // Windows takes '/' for a separator as well, and so must the name's split.
  testing::WriteFileOrDie(PathOf(stale), "");
  std::u16string slashed = Path16(prefix);
  slashed[slashed.size() - prefix.size() - 1] = u'/';
  ASSERT_TRUE(files_->RemoveStaleUniqueFiles(slashed).ok());
  EXPECT_FALSE(files_->PathExists(Path16(stale)));
}

}  // namespace
}  // namespace fennimar::platform
