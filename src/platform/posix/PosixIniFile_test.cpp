#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
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

TEST_F(PosixIniFileTest, MissingFilesGiveTheDefaultAndAWriteCreatesThem) {
  EXPECT_EQ(Get(u"IsFirst"), kDefault);
  EXPECT_EQ(Get(u"IsFirst", "no/such/folder.ini"), kDefault);
  EXPECT_FALSE(Write(u"IsFirst", u"0", "no/such/folder.ini"));
  ASSERT_TRUE(Write(u"IsFirst", u"0x1F"));
  EXPECT_EQ(File(), "[SystemRequest]\r\nIsFirst=0x1F\r\n");
  EXPECT_EQ(Get(u"ISFIRST"), 31u);
}

// Beyond the value, a rewrite changes only the line ends (to CR LF, as on
// Windows): blank lines and the blanks around names and values stay, where
// Wine's service drops them (see Win32IniFile_test.cpp).
TEST_F(PosixIniFileTest, RewritesOnlyTheValueAndLineEndsInUtf8AndUtf16Le) {
  const auto utf16 = [](std::u16string_view chars) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : chars) bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
    return bytes;
  };
  const std::string head = "\xEF\xBB\xBF; Hardware\r\n\r\n[Display]\r\nIsFirst=5\r\n\r\n";
  const std::string tail = " \r\n; keep me\r\nOrder=3\r\n\r\n[Tail]\r\nz=1";
  const std::pair<std::string, std::string> files[] = {
      {head + "[ systemREQUEST ]\r\nIsFirst = 1" + tail,
       head + "[ systemREQUEST ]\r\nIsFirst = 0" + tail},
      {utf16(u"; \u00FCber\r\n[SystemRequest]\r\nIsFirst=7\r\n"),
       utf16(u"; \u00FCber\r\n[SystemRequest]\r\nIsFirst=0\r\n")},
      {"; mine\n\n[ systemREQUEST ] junk\n\n  IsFirst  =  1  \n\n",
       "; mine\r\n\r\n[ systemREQUEST ] junk\r\n\r\n  IsFirst  =  0  \r\n\r\n"},
  };
  for (const auto& [before, after] : files) {
    WriteFileOrDie(PathOf("HWinfo.ini"), before);
    ASSERT_TRUE(Write(u"IsFirst", u"0"));
    EXPECT_EQ(File(), after);
  }
}

TEST_F(PosixIniFileTest, UnreadableOrHugeFilesAreLeftAlone) {
  const std::string good = "[SystemRequest]\r\nIsFirst=1\r\n";
  for (const std::string& bytes : {good + std::string("\0\r\n", 3), good + std::string(16u << 20, ';')}) {
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

// Each child process writes keys of its own; the lock makes the
// read-change-replace steps of the two take turns.
TEST_F(PosixIniFileTest, ConcurrentWritersInTwoProcessesLoseNothing) {
  const auto key = [](char16_t prefix, int i) { return prefix + U16(std::to_string(i)); };
  std::vector<pid_t> children;
  for (const char16_t prefix : {u'a', u'b'}) {
    children.push_back(fork());
    ASSERT_GE(children.back(), 0);
    if (children.back() != 0) continue;
    bool ok = true;
    for (int i = 0; i < 100; ++i) ok &= Write(key(prefix, i), u"1");
    _exit(ok ? 0 : 1);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (const char16_t prefix : {u'a', u'b'}) {
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Get(key(prefix, i)), 1u);
  }
}

}  // namespace
}  // namespace fennimar::platform
