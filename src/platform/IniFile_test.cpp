// The INI service, held to Windows' results on every platform.
#include "src/platform/IniFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"
#ifdef _WIN32
#include "tests/support/win32/Wine.h"
#endif

namespace fennimar::platform {
namespace {

using testing::ReadFileOrDie;
using testing::WriteFileOrDie;

constexpr std::uint32_t kDefault = 77;

class IniFileTest : public testing::IsolatedTest {
 protected:
  std::uint32_t Read(const std::string& bytes, std::u16string_view section = u"S",
                     std::u16string_view key = u"k") {
    WriteFileOrDie(PathOf("hw.ini"), bytes);
    return ini_.GetInt(Path16("hw.ini"), section, key, kDefault);
  }
  // The file after writing `value` into it; "<refused>" when the write fails.
  std::string Written(const std::string& bytes, std::u16string_view section,
                      std::u16string_view key, std::u16string_view value) {
    WriteFileOrDie(PathOf("hw.ini"), bytes);
    if (!ini_.WriteString(Path16("hw.ini"), section, key, value)) return "<refused>";
    return ReadFileOrDie(PathOf("hw.ini"));
  }

  IniFile& ini_ = *DefaultServices().ini;
};

TEST_F(IniFileTest, ValuesConvert) {
  const struct {
    const char* text;
    std::uint32_t value;
  } cases[] = {{"12", 12}, {" 12", 12}, {"'7'", 7}, {"\"-1\"", 0xFFFFFFFF}, {"\" 3 \"", 3},
               {"+5", 5}, {"0x1F", 31}, {"-0x1", 0xFFFFFFFF}, {"0o17", 15}, {"0b101", 5},
               {"0b102", 2}, {"0X1F", 0}, {"12abc", 12}, {"abc", 0}, {"'", 0}, {"'7\"", 0},
               {"4294967297", 1}, {"-4294967295", 1}, {"12345678901234567890", 0xEB1F0AD2},
               {"", kDefault}, {"  \t", kDefault}, {"''", kDefault}, {"' '", 0}, {"4 ; comment", 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(Read(std::string("[S]\r\nk=") + c.text + "\r\n"), c.value) << c.text;
  }
}

TEST_F(IniFileTest, FindsKeys) {
  const std::string file =
      "top=9\n; [SystemRequest]\n[ systemrequest ]\n; IsFirst=8\n\t ISFIRST \t=  3\n"
      "isfirst=4\n[SystemRequest]\nother=5\n";
  EXPECT_EQ(Read(file, u"SystemRequest", u"IsFirst"), 3u);
  EXPECT_EQ(Read(file, u" SYSTEMREQUEST\t", u"  isFirst "), 3u);
  EXPECT_EQ(Read(file, u"SystemRequest", u"other"), kDefault) << "the first section counts";
  EXPECT_EQ(Read(file, u"Missing", u"IsFirst"), kDefault);
  EXPECT_EQ(Read("[S]\rk=4\r"), 4u);
  EXPECT_EQ(Read("[S] junk\nk=4\n"), 4u);
  // A line without "=" is the key with no value, and the first match counts.
  EXPECT_EQ(Read("[S]\nk\nk=3\n"), kDefault);
  EXPECT_EQ(Read("[S]\n  K \t\nk=3\n"), kDefault);
  // "[" without "]" starts no section.
  EXPECT_EQ(Read("[T]\n[S\nk=3\n"), kDefault);
}

TEST_F(IniFileTest, WritesCreateTheFileAndEndEveryLineWithCrLf) {
  EXPECT_TRUE(ini_.WriteString(Path16("new.ini"), u"SystemRequest", u"IsFirstFlag", u"0"));
  EXPECT_EQ(ReadFileOrDie(PathOf("new.ini")), "[SystemRequest]\r\nIsFirstFlag=0\r\n");
  EXPECT_EQ(Written("; mine\n[A]\nx=1\n[SystemRequest]\nIsFirstFlag=1\n", u"SystemRequest",
                    u"IsFirstFlag", u"0"),
            "; mine\r\n[A]\r\nx=1\r\n[SystemRequest]\r\nIsFirstFlag=0\r\n");
  EXPECT_EQ(Written("[S]\rk=1\r", u"s", u"K", u"2"), "[S]\r\nk=2\r\n");
  EXPECT_EQ(Written("[S]\nk\nj=1\n", u"S", u"k", u"0"), "[S]\r\nk=0\r\nj=1\r\n");
  EXPECT_EQ(Written("[S]\nk\nj=1\n", u"S", u"j", u"0"), "[S]\r\nk\r\nj=0\r\n");
  EXPECT_EQ(Written("[S]\nk1=1\n; c\n[B]\nx=1\n", u"S", u"k2", u"2"),
            "[S]\r\nk1=1\r\n; c\r\nk2=2\r\n[B]\r\nx=1\r\n");
  EXPECT_EQ(Written("[A]\nk=1", u"S", u"k", u"v"), "[A]\r\nk=1\r\n[S]\r\nk=v\r\n");
  EXPECT_EQ(Written("[A]\nk=1\n[A]\nk=2\n", u"A", u"k", u"3"), "[A]\r\nk=3\r\n[A]\r\nk=2\r\n");
  EXPECT_EQ(Written("\xEF\xBB\xBF[S]\nk=1\n", u"S", u"k", u"0"), "\xEF\xBB\xBF[S]\r\nk=0\r\n");
  EXPECT_FALSE(ini_.WriteString(Path16("no/such/folder.ini"), u"S", u"k", u"0"));
  const std::u16string with_nul(u"Is\0First", 8);
  EXPECT_FALSE(ini_.WriteString(Path16("hw.ini"), u"S", with_nul, u"0"));
  EXPECT_EQ(ini_.GetInt(Path16("hw.ini"), u"S", with_nul, kDefault), kDefault);

  // A file its owner made read-only is refused and kept, as Windows' service
  // refuses it (Wine's would write it).
  WriteFileOrDie(PathOf("hw.ini"), "[S]\r\nk=1\r\n");
  std::filesystem::permissions(PathOf("hw.ini"), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
  EXPECT_FALSE(ini_.WriteString(Path16("hw.ini"), u"S", u"k", u"2"));
  EXPECT_EQ(ReadFileOrDie(PathOf("hw.ini")), "[S]\r\nk=1\r\n");
  std::filesystem::permissions(PathOf("hw.ini"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

// Beyond the value, a rewrite changes the line ends (to CR LF). The stand-in
// keeps every other line as it was; Wine's service writes the whole file back
// from what it parsed, so blank lines go and names, values and section
// headers lose the blanks around them.
TEST_F(IniFileTest, ARewriteKeepsOrTidiesTheOtherLines) {
  enum Backend { kStandIn, kWine, kWindows };
#ifdef _WIN32
  const Backend backend = testing::RunningUnderWine() ? kWine : kWindows;
#else
  const Backend backend = kStandIn;
#endif
  if (backend == kWindows) GTEST_SKIP() << "observed on the stand-in and on Wine";
  const struct {
    const char* before;
    const char16_t* key;
    const char* after[2];  // on the stand-in, on Wine
  } cases[] = {
      {"; mine\n\n[ systemREQUEST ] junk\n\n  IsFirstFlag  =  1  \n\n",
       u"IsFirstFlag",
       {"; mine\r\n\r\n[ systemREQUEST ] junk\r\n\r\n  IsFirstFlag  =  0  \r\n\r\n",
        "; mine\r\n[systemREQUEST]\r\nIsFirstFlag=0\r\n"}},
      {"[SystemRequest]\n k = a b \n\n[Tail]\n",
       u"new",
       {"[SystemRequest]\r\n k = a b \r\nnew=0\r\n\r\n[Tail]\r\n",
        "[SystemRequest]\r\nk=a b\r\nnew=0\r\n[Tail]\r\n"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(c.before, u"SystemRequest", c.key, u"0"), c.after[backend]);
  }
}

}  // namespace
}  // namespace fennimar::platform
