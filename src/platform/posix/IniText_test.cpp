#include "src/platform/posix/IniText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "tests/support/TestEnvironment.h"

namespace fennimar::platform::ini {
namespace {

using namespace std::literals;
using testing::U8;

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

TEST(IniTextTest, ValuesConvertAsTheWindowsServiceDoes) {
  const std::pair<std::u16string_view, std::uint32_t> cases[] = {
      {u"12", 12}, {u" 12", 12}, {u"'7'", 7}, {u"\"-1\"", 0xFFFFFFFF}, {u"\" 3 \"", 3},
      {u"+5", 5}, {u"0x1F", 31}, {u"-0x1", 0xFFFFFFFF}, {u"0o17", 15}, {u"0b101", 5}, {u"0b102", 2},
      {u"0X1F", 0}, {u"12abc", 12}, {u"abc", 0}, {u"'", 0}, {u"'7\"", 0}, {u"4294967297", 1},
      {u"-4294967295", 1}, {u"12345678901234567890", 0xEB1F0AD2}, {u"", kDefault},
      {u"  \t", kDefault}, {u"''", kDefault}, {u"' '", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInt(text, kDefault), value) << U8(text);
}

TEST(IniTextTest, FindsKeysAsTheWindowsServiceDoes) {
  const std::string file =
      "top=9\n; [SystemRequest]\n[ systemrequest ]\n; IsFirst=8\nIsFirstFlag\n\t ISFIRST \t=  3\n"
      "isfirst=4\n[SystemRequest]\nother=5\n";
  EXPECT_EQ(Read(file, u"SystemRequest", u"IsFirst"), 3u);
  EXPECT_EQ(Read(file, u" SYSTEMREQUEST\t", u"  isFirst "), 3u);
  // Only the first matching section counts; keys before any section belong to none.
  EXPECT_EQ(Read(file, u"SystemRequest", u"other"), kDefault);
  EXPECT_EQ(Read(file, u"", u"top"), kDefault);
  EXPECT_EQ(Read(file, u"Missing", u"IsFirst"), kDefault);
  EXPECT_EQ(Read("[S]\nk=\n"), kDefault);
  // A key line without "=" is the key with an empty value, and the first
  // match counts; "[" without "]" starts no section.
  EXPECT_EQ(Read("[S]\nk\nk=3\n"), kDefault);
  EXPECT_EQ(Read("[S]\n  K \t\nk=3\n"), kDefault);
  EXPECT_EQ(Read("[T]\n[S\nk=3\n"), kDefault);
  EXPECT_EQ(Read("[S] junk\nk=3\n"), 3u);
  // Every line break and readable encoding.
  const std::string files[] = {"[S]\r\nk=1\r\n", "[S]\rk=1\r", "[S]\nk=1", "\xEF\xBB\xBF[S]\nk=1\n",
                               Utf16WithBom(u"[S]\r\nk=1\r\n"),
                               Utf16WithBom(u"[S]\r\nk=1\r\n", /*big_endian=*/true),
                               "; caf\xE9 \xC8\xD5\r\n[S]\r\nk=1\r\n"};
  for (const std::string& bytes : files) EXPECT_EQ(Read(bytes), 1u) << bytes;
  EXPECT_EQ(Read("[S\xC3\xA9]\nk=6\n", u"S\u00E9"), 6u);
}

TEST(IniTextTest, UnreadableFilesReadAsEmptyAndAreNotRewritten) {
  const std::string unreadable[] = {
      "[S]\nk=1\n\0\n"s,                   // NUL in UTF-8
      Utf16WithBom(u"[S]\nk=1\n\0"s),      // NUL in UTF-16
      Utf16WithBom(u"[S]\nk=1\n") + "\n",  // odd byte count
  };
  for (const std::string& bytes : unreadable) {
    EXPECT_EQ(Read(bytes), kDefault);
    EXPECT_EQ(Written(bytes, u"S", u"k", u"0"), "<refused>");
  }
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
      {"[S]\rk=1\r", u"s", u"K", u"2", "[S]\r\nk=2\r\n"},
      {"[A]\r\nk = 1 ; c\r\n", u"A", u"k", u"2", "[A]\r\nk = 2\r\n"},
      {"[A]\nk=1\n[A]\nk=2\n", u"A", u"k", u"3", "[A]\r\nk=3\r\n[A]\r\nk=2\r\n"},
      // A key line without "=" gets one; other such lines stay as they are.
      {"[S]\nk\nj=1\n", u"S", u"k", u"0", "[S]\r\nk=0\r\nj=1\r\n"},
      {"[S]\nk\nj=1\n", u"S", u"j", u"0", "[S]\r\nk\r\nj=0\r\n"},
      {"[S]\n k \n", u"S", u"K", u"0", "[S]\r\n k=0 \r\n"},
      // A missing key: after the section's last line that is not blank.
      {"[A]\nk1=1\n; c\n\n[B]\nx=1\n", u"A", u"k2", u"2",
       "[A]\r\nk1=1\r\n; c\r\nk2=2\r\n\r\n[B]\r\nx=1\r\n"},
      {"[A]\n\n[B]\n", u"A", u" k ", u"v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
      {"[A]\r\nk1=1", u"A", u"k2", u"2", "[A]\r\nk1=1\r\nk2=2\r\n"},
      // A missing section: at the end.
      {"x=1", u"S", u"k", u"v", "x=1\r\n[S]\r\nk=v\r\n"},
      {"[A]\nk=1\n\n", u"S", u"k", u"v", "[A]\r\nk=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"[S\nk=1\n", u"S", u"k", u"0", "[S\r\nk=1\r\n[S]\r\nk=0\r\n"},
      {"\xEF\xBB\xBF[A]\r\nk=1", u"S", u"k", u"\u00E9",
       "\xEF\xBB\xBF[A]\r\nk=1\r\n[S]\r\nk=\xC3\xA9\r\n"},
      {Utf16WithBom(wide), u"T", u"j", u"\u4E2D", Utf16WithBom(wide + u"[T]\r\nj=\u4E2D\r\n")},
      {Utf16WithBom(wide, true), u"S", u"k", u"2", Utf16WithBom(u"; \u00FCber \U0001F600\r\n[S]\r\nk=2\r\n", true)},
      // 8-bit text that is not UTF-8 keeps every byte; what it cannot hold is '?'.
      {"; caf\xE9 \xC8\xD5\n[S]\nk=1\n", u"S", u"k", u"\u00E9\u4E2D",
       "; caf\xE9 \xC8\xD5\r\n[S]\r\nk=\xE9?\r\n"},
      // What would not read back the same.
      {"", u"S", u"k", u"1\r\nx=2", "<refused>"}, {"", u"S]x", u"k", u"1", "<refused>"},
      {"", u"S", u"k=j", u"1", "<refused>"}, {"", u"S", u";k", u"1", "<refused>"},
      {"", u"S", u"[k", u"1", "<refused>"}, {"", u"S", u" ", u"1", "<refused>"},
      {"", u"S", u"k", u"1\0"sv, "<refused>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Written(c.before, c.section, c.key, c.value), c.after);
}

TEST(IniTextTest, HugeLinesAndArbitraryBytesAreSafe) {
  const std::string long_line(1 << 20, 'a');
  EXPECT_EQ(Read(long_line + "\n[S]\nk=5\n"), 5u);
  EXPECT_EQ(Read("[S]\nk=" + std::string(1 << 20, '1') + "\n"), 0xC71C71C7u);
  EXPECT_EQ(Written("[S]\nk=" + long_line + "\n", u"S", u"k", u"0"), "[S]\r\nk=0\r\n");
  // Whatever the bytes, a read is safe and a write that succeeds reads back;
  // now and then any byte at all, so that some inputs are unreadable.
  std::minstd_rand random(12345);
  int written = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    for (int i = 0; i < round % 40; ++i) {
      const auto pick = random();
      bytes += pick % 32 == 0 ? static_cast<char>(pick >> 8) : "[]=;\r\n \tSsKk1'\""[pick % 15];
    }
    Read(bytes);
    std::string updated;
    if (!WriteValue(bytes, u"S", u"k", u"42", &updated)) continue;
    ++written;
    EXPECT_EQ(Read(updated), 42u) << "after writing into: " << bytes;
  }
  EXPECT_GT(written, 1000);
}

}  // namespace
}  // namespace fennimar::platform::ini
