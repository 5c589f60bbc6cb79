#include "src/platform/posix/IniText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace fennimar::platform::ini {
namespace {

constexpr std::uint32_t kDefault = 77;

std::uint32_t Int(std::u16string_view value) { return ParseInt(value, kDefault); }

std::uint32_t Read(std::string_view bytes, std::u16string_view section, std::u16string_view key) {
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
  for (const char16_t unit : std::u16string(1, u'\uFEFF') + std::u16string(chars)) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes.append({big_endian ? high : low, big_endian ? low : high});
  }
  return bytes;
}

TEST(IniTextTest, ValuesConvertAsTheWindowsServiceDoes) {
  EXPECT_EQ(Int(u"12"), 12u);
  EXPECT_EQ(Int(u" 12"), 12u);
  EXPECT_EQ(Int(u"'7'"), 7u);
  EXPECT_EQ(Int(u"\"-1\""), 0xFFFFFFFFu);
  EXPECT_EQ(Int(u"\" 3 \""), 3u);
  EXPECT_EQ(Int(u"+5"), 5u);
  EXPECT_EQ(Int(u"0x1F"), 31u);
  EXPECT_EQ(Int(u"-0x1"), 0xFFFFFFFFu);
  EXPECT_EQ(Int(u"0o17"), 15u);
  EXPECT_EQ(Int(u"0b101"), 5u);
  EXPECT_EQ(Int(u"0b102"), 2u);
  EXPECT_EQ(Int(u"0X1F"), 0u);  // only the lower-case prefix selects hex
  EXPECT_EQ(Int(u"12abc"), 12u);
  EXPECT_EQ(Int(u"abc"), 0u);
  EXPECT_EQ(Int(u"'"), 0u);
  EXPECT_EQ(Int(u"'7\""), 0u);  // quotes that do not match stay
  EXPECT_EQ(Int(u"4294967297"), 1u);
  EXPECT_EQ(Int(u"-4294967295"), 1u);
  EXPECT_EQ(Int(u"12345678901234567890"), 0xEB1F0AD2u);
  EXPECT_EQ(Int(u""), kDefault);
  EXPECT_EQ(Int(u"  \t"), kDefault);
  EXPECT_EQ(Int(u"''"), kDefault);
  EXPECT_EQ(Int(u"' '"), 0u);
}

TEST(IniTextTest, NamesMatchCaseInsensitivelyIgnoringBlanks) {
  const std::string file =
      "top=9\n"
      "; [SystemRequest]\n"
      "[ systemrequest ]\n"
      "; IsFirst=8\n"
      "IsFirst\n"
      "\t ISFIRST \t=  3\n"
      "isfirst=4\n"
      "[SystemRequest]\n"
      "other=5\n";
  EXPECT_EQ(Read(file, u"SystemRequest", u"IsFirst"), 3u);
  EXPECT_EQ(Read(file, u" SYSTEMREQUEST\t", u"  isFirst "), 3u);
  // Only the first matching section is searched; keys before any section
  // belong to none.
  EXPECT_EQ(Read(file, u"SystemRequest", u"other"), kDefault);
  EXPECT_EQ(Read(file, u"", u"top"), kDefault);
  EXPECT_EQ(Read(file, u"Missing", u"IsFirst"), kDefault);
  EXPECT_EQ(Read(file, u"SystemRequest", u"Missing"), kDefault);
  EXPECT_EQ(Read("[S]\nk=\n", u"S", u"k"), kDefault);
  EXPECT_EQ(Read("", u"S", u"k"), kDefault);
}

TEST(IniTextTest, EveryLineBreakAndKeptEncodingReads) {
  EXPECT_EQ(Read("[S]\r\nk=1\r\n", u"S", u"k"), 1u);
  EXPECT_EQ(Read("[S]\rk=2\r", u"S", u"k"), 2u);
  EXPECT_EQ(Read("[S]\nk=3", u"S", u"k"), 3u);
  EXPECT_EQ(Read("\xEF\xBB\xBF[S]\nk=4\n", u"S", u"k"), 4u);
  EXPECT_EQ(Read(Utf16WithBom(u"[S]\r\nk=5\r\n"), u"S", u"k"), 5u);
  EXPECT_EQ(Read("[S\xC3\xA9]\nk=6\n", u"S\u00E9", u"k"), 6u);
}

TEST(IniTextTest, UnreadableFilesReadAsEmptyAndAreNotRewritten) {
  using namespace std::string_literals;
  const std::string unreadable[] = {
      "[S]\nk=1\n\xC3(\n"s,                              // ill-formed UTF-8
      "[S]\nk=1\n\0\n"s,                                 // NUL in UTF-8
      Utf16WithBom(u"[S]\nk=1\n\0"s),                    // NUL in UTF-16
      Utf16WithBom(u"[S]\nk=1\n") + "\n",                // odd byte count
      Utf16WithBom(u"[S]\nk=1\n", /*big_endian=*/true),  // UTF-16BE
  };
  for (const std::string& bytes : unreadable) {
    EXPECT_EQ(Read(bytes, u"S", u"k"), kDefault);
    EXPECT_EQ(Written(bytes, u"S", u"k", u"0"), "<refused>");
  }
}

TEST(IniTextTest, WriteReplacesOnlyTheValueText) {
  const std::string before =
      "\xEF\xBB\xBF; settings\r\n\r\n[Other]\r\nIsFirst=5\r\n\r\n"
      "[ SystemRequest ]\r\n  isFIRST  =  1  \r\nZeta='2'\r\n; end\r\n\r\n[Last]\r\nx=1";
  const std::string after =
      "\xEF\xBB\xBF; settings\r\n\r\n[Other]\r\nIsFirst=5\r\n\r\n"
      "[ SystemRequest ]\r\n  isFIRST  =  0  \r\nZeta='2'\r\n; end\r\n\r\n[Last]\r\nx=1";
  EXPECT_EQ(Written(before, u"SystemRequest", u"IsFirst", u"0"), after);
  EXPECT_EQ(Written("[S]\nk=\nj=1\n", u"S", u"k", u"12"), "[S]\nk=12\nj=1\n");
  EXPECT_EQ(Written("[S]\rk=1\r", u"s", u"K", u"2"), "[S]\rk=2\r");
  EXPECT_EQ(Written("[A]\nk=1\n[A]\nk=2\n", u"A", u"k", u"3"), "[A]\nk=3\n[A]\nk=2\n");
}

TEST(IniTextTest, WriteAddsAMissingKeyAfterTheSectionsLastKey) {
  EXPECT_EQ(Written("[A]\nk1=1\n; c\n\n[B]\nx=1\n", u"A", u"k2", u"2"),
            "[A]\nk1=1\nk2=2\n; c\n\n[B]\nx=1\n");
  EXPECT_EQ(Written("[A]\n; only a comment\n[B]\n", u"A", u" k ", u"v"),
            "[A]\nk=v\n; only a comment\n[B]\n");
  EXPECT_EQ(Written("[A]\r\nk1=1", u"A", u"k2", u"2"), "[A]\r\nk1=1\r\nk2=2\r\n");
  EXPECT_EQ(Written("[A]\rk1=1\r", u"A", u"k2", u"2"), "[A]\rk1=1\rk2=2\r");
}

TEST(IniTextTest, WriteAppendsAMissingSectionAndCreatesNewFiles) {
  EXPECT_EQ(Written("", u"SystemRequest", u"IsFirst", u"0"), "[SystemRequest]\r\nIsFirst=0\r\n");
  EXPECT_EQ(Written("x=1", u"S", u"k", u"v"), "x=1\r\n[S]\r\nk=v\r\n");
  EXPECT_EQ(Written("[A]\nk=1\n\n", u"S", u"k", u"v"), "[A]\nk=1\n\n[S]\nk=v\n");
  EXPECT_EQ(Written("\xEF\xBB\xBF[A]\r\nk=1", u"S", u"k", u"\u00E9"),
            "\xEF\xBB\xBF[A]\r\nk=1\r\n[S]\r\nk=\xC3\xA9\r\n");
}

TEST(IniTextTest, Utf16LeFilesStayUtf16Le) {
  const std::u16string text = u"; \u00FCber \U0001F600\r\n[S]\r\nk=1\r\n";
  EXPECT_EQ(Written(Utf16WithBom(text), u"S", u"k", u"0"),
            Utf16WithBom(u"; \u00FCber \U0001F600\r\n[S]\r\nk=0\r\n"));
  EXPECT_EQ(Written(Utf16WithBom(text), u"T", u"j", u"\u4E2D"),
            Utf16WithBom(text + u"[T]\r\nj=\u4E2D\r\n"));
}

TEST(IniTextTest, NamesAndValuesThatWouldNotReadBackAreRefused) {
  EXPECT_EQ(Written("", u"S", u"k", u"1\r\nx=2"), "<refused>");
  EXPECT_EQ(Written("", u"S]x", u"k", u"1"), "<refused>");
  EXPECT_EQ(Written("", u"S", u"k=j", u"1"), "<refused>");
  EXPECT_EQ(Written("", u"S", u";k", u"1"), "<refused>");
  EXPECT_EQ(Written("", u"S", u"[k", u"1"), "<refused>");
  EXPECT_EQ(Written("", u"S", u" ", u"1"), "<refused>");
  EXPECT_EQ(Written("", u"S", u"k", std::u16string_view(u"1\0", 2)), "<refused>");
}

TEST(IniTextTest, HugeLinesAndArbitraryBytesAreSafe) {
  const std::string long_line(1 << 20, 'a');
  EXPECT_EQ(Read(long_line + "\n[S]\nk=5\n", u"S", u"k"), 5u);
  EXPECT_EQ(Read("[S]\nk=" + std::string(1 << 20, '1') + "\n", u"S", u"k"), 0xC71C71C7u);
  EXPECT_EQ(Written("[S]\nk=" + long_line + "\n", u"S", u"k", u"0"), "[S]\nk=0\n");
  // Whatever the bytes, a read is safe and a write that succeeds reads back.
  const char alphabet[] = "[]=;\r\n \tSsKk1'\"";
  std::uint32_t seed = 12345;
  int written = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    for (int i = 0; i < round % 40; ++i) {
      seed = seed * 1103515245u + 12345u;
      const unsigned pick = seed >> 16;
      // Now and then any byte at all, so that some inputs are unreadable.
      bytes.push_back(pick % 32 == 0 ? static_cast<char>(pick >> 8)
                                     : alphabet[pick % (sizeof(alphabet) - 1)]);
    }
    Read(bytes, u"S", u"k");
    std::string updated;
    if (WriteValue(bytes, u"S", u"k", u"42", &updated)) {
      ++written;
      EXPECT_EQ(Read(updated, u"S", u"k"), 42u) << "after writing into: " << bytes;
    }
  }
  EXPECT_GT(written, 1000);
}

}  // namespace
}  // namespace fennimar::platform::ini
