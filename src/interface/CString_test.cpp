#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "fennimar/FennimarDllInterface.h"

namespace {

TEST(CStringTest, SubstringsClampAndBuffersAreCut) {
  const CString text(u"C:\\bar\\file.xml");
  const std::pair<CString, const char16_t*> parts[] = {
      {text.Left(2), u"C:"},   {text.Left(-1), u""},   {text.Left(100), u"C:\\bar\\file.xml"},
      {text.Mid(7), u"file.xml"}, {text.Mid(7, 4), u"file"}, {text.Mid(7, -3), u""},
      {text.Mid(100), u""},    {text.Right(3), u"xml"}, {text.Right(-3), u""}};
  for (const auto& [part, expected] : parts) EXPECT_EQ(part, expected);
  const std::pair<int, int> found[] = {{text.Find(u'\\'), 2},  {text.Find(u'\\', 3), 6},
                                       {text.Find(u'\\', 7), -1}, {text.Find(u'\\', 99), -1},
                                       {text.ReverseFind(u'\\'), 6}, {CString().ReverseFind(u'x'), -1}};
  for (const auto& [at, expected] : found) EXPECT_EQ(at, expected);
  EXPECT_THROW(text.GetAt(text.GetLength()), std::out_of_range);
  // A released buffer is cut at its first zero unit, or at the length given.
  CString buffered(u"ab");
  char16_t* buffer = buffered.GetBuffer(5);
  buffer[2] = u'c';
  buffer[3] = 0;
  buffered.ReleaseBuffer();
  EXPECT_EQ(buffered, u"abc");
  buffered.GetBuffer(4);
  buffered.ReleaseBuffer(1);
  EXPECT_EQ(buffered, u"a");
}

TEST(CStringTest, CompareIsOrdinalAndFormatTakesStringsAndIntegers) {
  EXPECT_EQ(CString(u"abc").Compare(u"abc"), 0);
  EXPECT_LT(CString(u"ABC").Compare(u"abc"), 0);
  EXPECT_GT(CString(u"abcd").Compare(u"abc"), 0);
  EXPECT_NE(CString(u"abc"), CString(u"abC"));
  EXPECT_EQ(CString(static_cast<const char16_t*>(nullptr)), u"");
  CString out;
  out.Format(u"%s=%d%%", u"light", -2147483647 - 1);
  EXPECT_EQ(out, u"light=-2147483648%");
  EXPECT_THROW(out.Format(u"%x", 1), std::invalid_argument);
}

TEST(CStringTest, Utf8ConversionReplacesIllFormedInput) {
  EXPECT_EQ(CString::FromUtf8("gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80"), u"grüß 😀");
  EXPECT_EQ(CString(u"grüß 😀").ToUtf8(), "gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
  EXPECT_EQ(CString::FromUtf8("a\x80" "b"), u"a\uFFFDb");
  const char16_t lone_surrogate[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ(CString(lone_surrogate).ToUtf8(), "x\xEF\xBF\xBDy");
}

}  // namespace
