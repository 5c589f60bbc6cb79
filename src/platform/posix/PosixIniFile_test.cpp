#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::WriteFileOrDie;

constexpr std::uint32_t kDefault = 0xFFFFFFFF;

class PosixIniFileTest : public testing::IsolatedTest {
 protected:
  std::uint32_t Get(const std::u16string& key, const std::string& file = "HWinfo.ini") {
    return ini_->GetInt(Path16(file), u"SystemRequest", key, kDefault);
  }
  bool Write(const std::u16string& key, const char16_t* value,
             const std::string& file = "HWinfo.ini") {
    return ini_->WriteString(Path16(file), u"SystemRequest", key, value);
  }
  std::string File() { return ReadFileOrDie(PathOf("HWinfo.ini")); }

  std::unique_ptr<FileSystem> files_ = NewPosixFileSystem();
  std::unique_ptr<IniFile> ini_ = NewPosixIniFile(*files_);
};

TEST_F(PosixIniFileTest, UnreadableOrHugeFilesAreLeftAlone) {
  const std::string good = "[SystemRequest]\r\nIsFirst=1\r\n";
  for (const std::string& bytes : {good + "\xC3(\r\n", good + std::string(16u << 20, ';')}) {
    WriteFileOrDie(PathOf("HWinfo.ini"), bytes);
    EXPECT_EQ(Get(u"IsFirst"), kDefault);
    EXPECT_FALSE(Write(u"IsFirst", u"0"));
    EXPECT_TRUE(File() == bytes);
  }
}

TEST_F(PosixIniFileTest, FailedSaveKeepsTheFile) {
  WriteFileOrDie(PathOf("HWinfo.ini"), "[SystemRequest]\nIsFirst=1\n");
  testing::FaultInjectingFileSystem failing(*files_);
  failing.FailOperation(testing::FaultInjectingFileSystem::Op::kRename, 1, EIO);
  ini_ = NewPosixIniFile(failing);
  EXPECT_FALSE(Write(u"IsFirst", u"0"));
  EXPECT_EQ(failing.FaultsFired(), 1);
  EXPECT_EQ(File(), "[SystemRequest]\nIsFirst=1\n");
}

}  // namespace
}  // namespace fennimar::platform
