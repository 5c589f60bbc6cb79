#include "src/common/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>
#include <utility>

#include "src/common/Utf.h"

namespace fennimar {
namespace {

// Unicode spaces and other scripts' digits as _wtoi reads them under Wine.
TEST(NumbersTest, ParseReadsLikeTheWindowsRuntime) {
  const std::pair<const char16_t*, int> cases[] = {
      {u" 7", 7}, {u"\t\n+3", 3}, {u"-2", -2}, {u"007", 7}, {u"12abc", 12}, {u"x", 0}, {u"", 0},
      {u"- 5", 0}, {u"C:\\pictures", 0}, {u"2147483647", INT_MAX}, {u"-2147483648", INT_MIN},
      {u"2147483648", INT_MAX}, {u"-99999999999999999999999999", INT_MIN},
      {u"\u3000\u00A0\u2003" u"12", 12}, {u"\uFF11\uFF12", 12}, {u"\u0661\u0662x", 12},
      {u"1\u0966\u0967", 101}, {u"\u0085" u"1", 0}, {u"\uFEFF" u"1", 0}, {u"\u200B" u"1", 0},
      {u"\u00B2", 0}, {u"\u2460", 0}, {u"\uFF0D" u"5", 0}, {u"\u2212" u"5", 0}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ParseDecimal(text), value) << Utf16ToUtf8(text);
    EXPECT_EQ(ParseDecimal(Utf16ToUtf8(text)), value) << Utf16ToUtf8(text);
  }
}

TEST(NumbersTest, ParseReadsUtf8AsItsUtf16) {
  for (const char* text : {"\v\f9", "4\xC3\xA9", "\xE3\x80\x80-\xD9\xA1", "7\xF0\x9F\x98\x80",
                           "\xE3\x80", "\xEF\xBC\x91\xEF\xBC"}) {
    EXPECT_EQ(ParseDecimal(std::string_view(text)), ParseDecimal(Utf8ToUtf16(text))) << text;
  }
}

TEST(NumbersTest, FormatWritesPlainDecimal) {
  const std::pair<int, const char16_t*> cases[] = {
      {INT_MIN, u"-2147483648"}, {-10, u"-10"}, {-1, u"-1"}, {0, u"0"}, {9, u"9"},
      {123456, u"123456"}, {INT_MAX, u"2147483647"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatDecimal(value), text);
}

}  // namespace
}  // namespace fennimar
