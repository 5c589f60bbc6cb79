#include "src/common/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace fennimar {
namespace {

// Every length and offset around the eight-byte steps the ASCII runs take.
TEST(UtfTest, AsciiRunsOfAnyLengthConvertUnitForUnit) {
  for (std::size_t length = 0; length < 40; ++length) {
    std::string utf8;
    std::u16string expected;
    for (std::size_t i = 0; i < length; ++i) {
      utf8.push_back(static_cast<char>('!' + i));
      expected.push_back(static_cast<char16_t>('!' + i));
    }
    EXPECT_EQ(Utf8ToUtf16(utf8), expected) << length;
    EXPECT_TRUE(IsValidUtf8(utf8)) << length;
  }
}

TEST(UtfTest, NonAsciiAtEveryPositionOfALongRun) {
  for (std::size_t at = 0; at < 20; ++at) {
    std::string utf8(20, 'a');
    utf8.insert(at, "\xC3\xA9\xF0\x9F\x98\x80");  // U+00E9, U+1F600
    std::u16string expected(20, u'a');
    expected.insert(at, u"\u00E9\U0001F600");
    EXPECT_EQ(Utf8ToUtf16(utf8), expected) << at;
    EXPECT_TRUE(IsValidUtf8(utf8)) << at;
    EXPECT_EQ(Utf16ToUtf8(expected), utf8) << at;
  }
}

TEST(UtfTest, BadSequencesAfterAsciiAreReplacedAndRefused) {
  for (std::size_t at = 0; at < 20; ++at) {
    for (const std::string bad :
         {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xE2\x82"}) {
      std::string utf8(at, 'x');
      utf8 += bad;
      utf8 += "yz";
      EXPECT_FALSE(IsValidUtf8(utf8)) << at;
      const std::u16string text = Utf8ToUtf16(utf8);
      EXPECT_EQ(text.substr(0, at), std::u16string(at, u'x'));
      EXPECT_EQ(text[at], u'\uFFFD') << at;
      EXPECT_EQ(text.substr(text.size() - 2), u"yz");
    }
  }
}

TEST(UtfTest, AnEncodedReplacementCharacterIsValid) {
  EXPECT_TRUE(IsValidUtf8("abcdefghij\xEF\xBF\xBDk"));
  EXPECT_EQ(Utf8ToUtf16("\xEF\xBF\xBD"), u"\uFFFD");
}

TEST(UtfTest, ZeroBytesAreAsciiLikeAnyOther) {
  const std::string utf8("ab\0cdefghijk\0", 13);
  const std::u16string text = Utf8ToUtf16(utf8);
  ASSERT_EQ(text.size(), 13u);
  EXPECT_EQ(text[2], u'\0');
  EXPECT_TRUE(IsValidUtf8(utf8));
}

TEST(UtfTest, AppendKeepsWhatIsThere) {
  std::u16string out = u"start:";
  AppendUtf8AsUtf16("0123456789\xC3\xA9", out);
  EXPECT_EQ(out, u"start:0123456789\u00E9");
  std::string bytes = "x";
  AppendUtf16AsUtf8(u"\xD800y", bytes);  // an unpaired surrogate
  EXPECT_EQ(bytes, "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace fennimar
