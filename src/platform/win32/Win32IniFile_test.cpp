// The INI service as Windows gives it, checked against the system itself:
// the conversions are the ones the POSIX backend copies; a key line without
// "=" and the rewriting of a file on write are where they part.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::IsolatedTest;
using testing::U8;

constexpr std::uint32_t kDefault = 77;

class Win32IniFileTest : public IsolatedTest {
 protected:
  std::uint32_t Read(const std::string& bytes, std::u16string_view section = u"S",
                     std::u16string_view key = u"k") {
    testing::WriteFileOrDie(PathOf("hw.ini"), bytes);
    return ini_->GetInt(Path16("hw.ini"), section, key, kDefault);
  }

  std::unique_ptr<IniFile> ini_ = NewWin32IniFile();
};

TEST_F(Win32IniFileTest, ValuesConvert) {
  const struct {
    const char* text;
    std::uint32_t value;
  } cases[] = {{"12", 12}, {" 12", 12}, {"'7'", 7}, {"\"-1\"", 0xFFFFFFFF}, {"\" 3 \"", 3},
               {"+5", 5}, {"0x1F", 31}, {"-0x1", 0xFFFFFFFF}, {"0o17", 15}, {"0b101", 5},
               {"0b102", 2}, {"0X1F", 0}, {"12abc", 12}, {"abc", 0}, {"'", 0}, {"'7\"", 0},
               {"4294967297", 1}, {"-4294967295", 1}, {"12345678901234567890", 0xEB1F0AD2},
               {"", kDefault}, {"  \t", kDefault}, {"''", kDefault}, {"' '", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(Read(std::string("[S]\r\nk=") + c.text + "\r\n"), c.value) << c.text;
  }
}

TEST_F(Win32IniFileTest, FindsKeys) {
  const std::string file =
      "top=9\n; [SystemRequest]\n[ systemrequest ]\n; IsFirst=8\n\t ISFIRST \t=  3\n"
      "isfirst=4\n[SystemRequest]\nother=5\n";
  EXPECT_EQ(Read(file, u"SystemRequest", u"IsFirst"), 3u);
  EXPECT_EQ(Read(file, u" SYSTEMREQUEST\t", u"  isFirst "), 3u);
  EXPECT_EQ(Read(file, u"SystemRequest", u"other"), kDefault);
  EXPECT_EQ(Read(file, u"Missing", u"IsFirst"), kDefault);
  EXPECT_EQ(ini_->GetInt(Path16("missing.ini"), u"S", u"k", kDefault), kDefault);
  // A line without "=" is the key with no value, and the first match counts.
  EXPECT_EQ(Read("[S]\nk\nk=3\n"), kDefault);
}

TEST_F(Win32IniFileTest, WritesCreateTheFileAndKeepTheRest) {
  EXPECT_TRUE(ini_->WriteString(Path16("new.ini"), u"SystemRequest", u"IsFirstFlag", u"0"));
  EXPECT_EQ(testing::ReadFileOrDie(PathOf("new.ini")), "[SystemRequest]\r\nIsFirstFlag=0\r\n");
  testing::WriteFileOrDie(PathOf("kept.ini"), "; mine\n[A]\nx=1\n[SystemRequest]\nIsFirstFlag=1\n");
  EXPECT_TRUE(ini_->WriteString(Path16("kept.ini"), u"SystemRequest", u"IsFirstFlag", u"0"));
  // The service writes the whole file again, every line ending as CR LF.
  EXPECT_EQ(testing::ReadFileOrDie(PathOf("kept.ini")),
            "; mine\r\n[A]\r\nx=1\r\n[SystemRequest]\r\nIsFirstFlag=0\r\n");
  EXPECT_FALSE(ini_->WriteString(Path16("no\\such\\folder.ini"), u"S", u"k", u"0"));
}

}  // namespace
}  // namespace fennimar::platform
