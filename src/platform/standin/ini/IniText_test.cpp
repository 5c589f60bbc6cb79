#include "src/platform/standin/ini/IniText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/TestEnvironment.h"

namespace fennimar::platform::ini {
namespace {

using namespace std::literals;

constexpr std::uint32_t kDefault = 77;

std::uint32_t Read(std::string_view bytes, std::u16string_view section = u"S",
                   std::u16string_view key = u"k") {
  return ReadInt(bytes, section, key, kDefault);
}

// The file after setting `key` in `section` to `value`; "<refused>" when the
// write is refused.
std::string Written(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
  std::string updated;
  return WriteValue(bytes, section, key, value, &updated) ? updated : "<refused>";
}

std::string Utf16WithBom(std::u16string_view chars, bool big_endian = false) {
  std::string bytes;
  for (const char16_t c : u"\uFEFF" + std::u16string(chars)) {
    const char low = static_cast<char>(c), high = static_cast<char>(c >> 8);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// Here, what only the stand-in's text decides: the rules every platform shares
// are in IniFile_test.cpp, unreadable files and megabyte lines in the
// reliability suite's hostile INI files.
TEST(IniTextTest, FindsKeysInEveryReadableEncodingAndLineBreak) {
  EXPECT_EQ(Read("top=9\n[S]\n", u"", u"top"), kDefault) << "keys before any section are in none";
  const std::string files[] = {"[S]\nk=1", "\xEF\xBB\xBF[S]\nk=1\n", Utf16WithBom(u"[S]\r\nk=1\r\n"),
                               Utf16WithBom(u"[S]\r\nk=1\r\n", /*big_endian=*/true),
                               "; caf\xE9 \xC8\xD5\r\n[S]\r\nk=1\r\n"};
  for (const std::string& bytes : files) EXPECT_EQ(Read(bytes), 1u) << bytes;
  EXPECT_EQ(Read("[S\xC3\xA9]\nk=6\n", u"S\u00E9"), 6u);
}

TEST(IniTextTest, WriteChangesOnlyWhatItMustAndEndsEveryLineWithCrLf) {
  const std::u16string wide = u"; \u00FCber \U0001F600\r\n[S]\r\nk=1\r\n";
  const struct {
    std::string before;
    std::u16string_view section, key, value;
    std::string after;
  } cases[] = {
      // An existing key: only its value text changes.
      {"[S]\nk=\nj=1\n", u"S", u"k", u"12", "[S]\r\nk=12\r\nj=1\r\n"},
      {"[A]\r\nk = 1 ; c\r\n", u"A", u"k", u"2", "[A]\r\nk = 2\r\n"},
      // A key line without "=" gets one, keeping its blanks.
      {"[S]\n k \n", u"S", u"K", u"0", "[S]\r\n k=0 \r\n"},
      // A missing key: after the section's last line that is not blank.
      {"[A]\nk1=1\n; c\n\n[B]\nx=1\n", u"A", u"k2", u"2",
       "[A]\r\nk1=1\r\n; c\r\nk2=2\r\n\r\n[B]\r\nx=1\r\n"},
      {"[A]\n\n[B]\n", u"A", u" k ", u"v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
      {"[A]\r\nk1=1", u"A", u"k2", u"2", "[A]\r\nk1=1\r\nk2=2\r\n"},
      // A missing section: at the end.
      {"[A]\nk=1\n\n", u"S", u"k", u"v", "[A]\r\nk=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"\xEF\xBB\xBF[A]\r\nk=1", u"S", u"k", u"\u00E9",
       "\xEF\xBB\xBF[A]\r\nk=1\r\n[S]\r\nk=\xC3\xA9\r\n"},
      {Utf16WithBom(wide), u"T", u"j", u"\u4E2D", Utf16WithBom(wide + u"[T]\r\nj=\u4E2D\r\n")},
      {Utf16WithBom(wide, true), u"S", u"k", u"2",
       Utf16WithBom(u"; \u00FCber \U0001F600\r\n[S]\r\nk=2\r\n", true)},
      // 8-bit text that is not UTF-8 keeps every byte; what it cannot hold is '?'.
      {"; caf\xE9 \xC8\xD5\n[S]\nk=1\n", u"S", u"k", u"\u00E9\u4E2D",
       "; caf\xE9 \xC8\xD5\r\n[S]\r\nk=\xE9?\r\n"},
      // What would not read back the same.
      {"", u"S", u"k", u"1\r\nx=2", "<refused>"},
      {"", u"S]x", u"k", u"1", "<refused>"},
      {"", u"S", u"k=j", u"1", "<refused>"},
      {"", u"S", u";k", u"1", "<refused>"},
      {"", u"S", u"[k", u"1", "<refused>"},
      {"", u"S", u" ", u"1", "<refused>"},
      {"", u"S", u"k", u"1\0"sv, "<refused>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Written(c.before, c.section, c.key, c.value), c.after);
}

}  // namespace
}  // namespace fennimar::platform::ini
