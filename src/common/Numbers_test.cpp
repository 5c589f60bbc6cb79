#include "src/common/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "src/common/Utf.h"

namespace fennimar {
namespace {

TEST(NumbersTest, ParseReadsLikeTheWindowsRuntime) {
  EXPECT_EQ(ParseDecimal(u" 7"), 7);
  EXPECT_EQ(ParseDecimal(u"\t\n+3"), 3);
  EXPECT_EQ(ParseDecimal(u"-2"), -2);
  EXPECT_EQ(ParseDecimal(u"007"), 7);
  EXPECT_EQ(ParseDecimal(u"12abc"), 12);
  EXPECT_EQ(ParseDecimal(u"x"), 0);
  EXPECT_EQ(ParseDecimal(u""), 0);
  EXPECT_EQ(ParseDecimal(u"- 5"), 0);
  EXPECT_EQ(ParseDecimal(u"C:\\pictures"), 0);
  EXPECT_EQ(ParseDecimal(u"2147483647"), INT_MAX);
  EXPECT_EQ(ParseDecimal(u"-2147483648"), INT_MIN);
  EXPECT_EQ(ParseDecimal(u"2147483648"), INT_MAX);
  EXPECT_EQ(ParseDecimal(u"-99999999999999999999999999"), INT_MIN);
}

TEST(NumbersTest, ParseReadsUtf8AsItsUtf16) {
  for (const char* text : {" 7", "\t\n+3", "-2", "12abc", "x", "", "- 5", "\v\f9",
                           "2147483648", "-99999999999999999999", "\xC2\xA0" "5",
                           "4\xC3\xA9", "\xEF\xBC\x95"}) {
    EXPECT_EQ(ParseDecimal(std::string_view(text)), ParseDecimal(Utf8ToUtf16(text))) << text;
  }
}

TEST(NumbersTest, FormatWritesPlainDecimal) {
  EXPECT_EQ(FormatDecimal(0), u"0");
  EXPECT_EQ(FormatDecimal(-1), u"-1");
  EXPECT_EQ(FormatDecimal(INT_MAX), u"2147483647");
  EXPECT_EQ(FormatDecimal(INT_MIN), u"-2147483648");
  for (int value : {INT_MIN, -10, -1, 0, 9, 10, 123456, INT_MAX}) {
    EXPECT_EQ(ParseDecimal(FormatDecimal(value)), value);
  }
}

}  // namespace
}  // namespace fennimar
