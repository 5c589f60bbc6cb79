// The file services, held to one set of results on every platform.
#include "src/platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U8;
using testing::WriteFileOrDie;

class FileSystemTest : public testing::IsolatedTest {
 protected:
  FileSystem& files_ = *DefaultServices().files;
};

TEST_F(FileSystemTest, ReadFileKeepsToItsLimit) {
  WriteFileOrDie(PathOf("ten"), "0123456789");
  std::filesystem::create_directory(PathOf("folder"));
  std::string bytes = "untouched";
  EXPECT_EQ(files_.ReadFile(Path16("ten"), 9, &bytes).code(), Status::Code::kTooLarge);
  EXPECT_EQ(bytes, "untouched");
  ASSERT_TRUE(files_.ReadFile(Path16("ten"), 10, &bytes).ok());
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_TRUE(files_.ReadFile(Path16("absent"), 10, &bytes).IsNotFound());
  EXPECT_EQ(files_.ReadFile(Path16("folder"), 10, &bytes).code(), Status::Code::kIoError);
}

// A file changed after the caller saw it is read as it is now, whatever its
// new size; so is one changed after the last read, which was given as
// changed too recently to vouch for.
TEST_F(FileSystemTest, AReadOfASeenFileGoesToTheFileAsItIsNow) {
  const std::string seen_bytes(100, 's');
  for (const std::size_t size : {std::size_t{40}, std::size_t{100}, std::size_t{70000}}) {
    WriteFileOrDie(PathOf("seen"), seen_bytes);
    FileIdentity seen;
    ASSERT_TRUE(files_.Identify(Path16("seen"), &seen).ok());
    const std::string now(size, 'n');
    WriteFileOrDie(PathOf("seen"), now);
    std::string bytes;
    ASSERT_TRUE(files_.ReadSeenFile(Path16("seen"), 1 << 20, seen, &bytes).ok());
    EXPECT_EQ(bytes, now) << size;
  }
  FileIdentity identity;
  std::string bytes;
  bool read = false;
  ASSERT_TRUE(files_.ReadFileIfChanged(Path16("seen"), 1 << 20, &identity, &bytes, &read).ok());
  EXPECT_TRUE(read);
  EXPECT_FALSE(identity.exists) << "written just now";
  WriteFileOrDie(PathOf("seen"), std::string(70000, 'c'));
  ASSERT_TRUE(files_.ReadFileIfChanged(Path16("seen"), 1 << 20, &identity, &bytes, &read).ok());
  EXPECT_TRUE(read);
  EXPECT_EQ(bytes, std::string(70000, 'c'));
}

TEST_F(FileSystemTest, UniqueFilesAreWrittenAndRenamedOverTheTarget) {
  WriteFileOrDie(PathOf("target"), "old");
  const std::u16string prefix = Path16("target.tmp");
  std::u16string temporary, other;
  std::unique_ptr<WritableFile> file, second;
  ASSERT_TRUE(files_.CreateUniqueFile(prefix, 0644, &temporary, &file).ok());
  ASSERT_TRUE(files_.CreateUniqueFile(prefix, 0644, &other, &second).ok());
  EXPECT_NE(temporary, other);
  EXPECT_EQ(temporary.rfind(prefix + u".", 0), 0u) << U8(temporary);
  ASSERT_TRUE(file->Append("new").ok());
  ASSERT_TRUE(file->Sync().ok());
  ASSERT_TRUE(file->Close().ok());
  ASSERT_TRUE(files_.RenameFile(temporary, Path16("target")).ok());
  EXPECT_EQ(ReadFileOrDie(PathOf("target")), "new");
  EXPECT_FALSE(files_.PathExists(temporary));
  unsigned mode = 0;
  EXPECT_TRUE(files_.GetPermissions(Path16("target"), &mode).ok());
  EXPECT_EQ(mode, 0644u) << "as asked, or the fixed mode of a system without the bits";
}

TEST_F(FileSystemTest, LocksAreBusyForASecondTakerUntilReleased) {
  WriteFileOrDie(PathOf("doc"), "x");
  std::filesystem::create_directory(PathOf("folder"));
  std::unique_ptr<FileLock> held, other;
  ASSERT_TRUE(files_.LockExistingFile(Path16("doc"), &held).ok());
  EXPECT_EQ(files_.LockExistingFile(Path16("doc"), &other).code(), Status::Code::kBusy);
  held.reset();
  EXPECT_TRUE(files_.LockExistingFile(Path16("doc"), &other).ok());

  EXPECT_TRUE(files_.LockExistingFile(Path16("absent"), &held).IsNotFound());
  EXPECT_FALSE(files_.PathExists(Path16("absent")));
  EXPECT_EQ(files_.LockExistingFile(Path16("folder"), &held).code(), Status::Code::kIoError);

  ASSERT_TRUE(files_.LockFile(Path16("doc.lock"), &held).ok());
  EXPECT_TRUE(files_.PathExists(Path16("doc.lock")));
  held.reset();
  EXPECT_TRUE(files_.LockFile(Path16("doc.lock"), &held).ok()) << "released with its holder";
}

}  // namespace
}  // namespace fennimar::platform
