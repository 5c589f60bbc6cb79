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
  // Unicode spaces and other scripts' digits, as _wtoi reads them under Wine.
  EXPECT_EQ(ParseDecimal(u"\u3000\u00A0\u2003" u"12"), 12);
  EXPECT_EQ(ParseDecimal(u"\uFF11\uFF12"), 12);
  EXPECT_EQ(ParseDecimal(u"\u0661\u0662x"), 12);
  EXPECT_EQ(ParseDecimal(u"1\u0966\u0967"), 101);
  for (const char16_t* zero : {u"\u0085" u"1", u"\uFEFF" u"1", u"\u200B" u"1", u"\u00B2",
                               u"\u2460", u"\uFF0D" u"5", u"\u2212" u"5"}) {
    EXPECT_EQ(ParseDecimal(zero), 0);
  }
}

TEST(NumbersTest, ParseReadsUtf8AsItsUtf16) {
  for (const char* text : {" 7", "\t\n+3", "-2", "12abc", "x", "", "- 5", "\v\f9",
                           "2147483648", "-99999999999999999999", "\xC2\xA0" "5",
                           "4\xC3\xA9", "\xEF\xBC\x95", "\xE3\x80\x80-\xD9\xA1", "7\xF0\x9F\x98\x80",
                           "\xE3\x80", "\xEF\xBC\x91\xEF\xBC"}) {
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
