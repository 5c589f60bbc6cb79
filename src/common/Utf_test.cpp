#include "src/common/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace fennimar {
namespace {

// Each sequence after an ASCII run of every length around the eight-byte
// steps those runs take, and before a run long enough for another step.
TEST(UtfTest, EverySequenceAfterAnAsciiRunOfEveryLength) {
  const struct {
    std::string bytes;
    std::u16string text;  // a bad sequence gives U+FFFD for each of its bytes
    bool valid;
  } cases[] = {
      {"", u"", true},
      {std::string(1, '\0'), std::u16string(1, u'\0'), true},
      {"\xC3\xA9\xF0\x9F\x98\x80", u"\u00E9\U0001F600", true},
      {"\xEF\xBF\xBD", u"\uFFFD", true},
      {"\xC0\x80", u"\uFFFD\uFFFD", false},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
      {"\x80", u"\uFFFD", false},
      {"\xE2\x82", u"\uFFFD\uFFFD", false},
  };
  std::string ascii;
  std::u16string ascii16;
  for (int length = 0; length < 40; ++length) {
    for (const auto& c : cases) {
      const std::string utf8 = ascii + c.bytes + "yz0123456789";
      const std::u16string text = ascii16 + c.text + u"yz0123456789";
      EXPECT_EQ(Utf8ToUtf16(utf8), text) << length << ": " << utf8;
      EXPECT_EQ(IsValidUtf8(utf8), c.valid) << length << ": " << utf8;
      EXPECT_EQ(c.valid ? Utf16ToUtf8(text) : utf8, utf8) << length;
    }
    ascii.push_back(static_cast<char>('!' + length));
    ascii16.push_back(static_cast<char16_t>('!' + length));
  }
}

}  // namespace
}  // namespace fennimar
