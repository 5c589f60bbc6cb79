// The INI service on the system's private profile functions, where it goes
// beyond the results every platform shares (IniFile_test.cpp): Wine's service
// writes the whole file back from what it parsed, so blank lines go and the
// names, values and section headers lose the blanks around them. The Linux
// stand-in keeps those lines as they were.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/win32/Wine.h"

namespace fennimar::platform {
namespace {

class Win32IniFileTest : public testing::IsolatedTest {
 protected:
  std::string Written(const std::string& bytes, std::u16string_view key) {
    testing::WriteFileOrDie(PathOf("hw.ini"), bytes);
    EXPECT_TRUE(ini_->WriteString(Path16("hw.ini"), u"SystemRequest", key, u"0"));
    return testing::ReadFileOrDie(PathOf("hw.ini"));
  }

  std::unique_ptr<IniFile> ini_ = NewWin32IniFile();
};

TEST_F(Win32IniFileTest, UnderWineARewriteDropsBlankLinesAndTheBlanksAroundNames) {
  if (!testing::RunningUnderWine()) GTEST_SKIP() << "observed on Wine's INI service";
  EXPECT_EQ(
      Written("; mine\n\n[ systemREQUEST ] junk\n\n  IsFirstFlag  =  1  \n\n", u"IsFirstFlag"),
      "; mine\r\n[systemREQUEST]\r\nIsFirstFlag=0\r\n");
  EXPECT_EQ(Written("[SystemRequest]\n k = a b \n\n[Tail]\n", u"new"),
            "[SystemRequest]\r\nk=a b\r\nnew=0\r\n[Tail]\r\n");
}

TEST_F(Win32IniFileTest, NamesWithNulAreRefused) {
  const std::u16string with_nul(u"Is\0First", 8);
  EXPECT_FALSE(ini_->WriteString(Path16("hw.ini"), u"SystemRequest", with_nul, u"0"));
  EXPECT_EQ(ini_->GetInt(Path16("hw.ini"), u"SystemRequest", with_nul, 5), 5u);
}

}  // namespace
}  // namespace fennimar::platform
