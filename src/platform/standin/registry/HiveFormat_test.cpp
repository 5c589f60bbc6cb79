#include "src/platform/standin/registry/HiveFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "src/platform/Registry.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using namespace std::literals;
using testing::U16;
using testing::U8;

constexpr char16_t kKey[] = u"HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2";
constexpr char kHead[] = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n";

std::string LittleEndian(std::u16string_view units) {
  std::string bytes;
  for (const char16_t c : units) bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
  return bytes;
}

// REG_SZ data: the units and one terminating zero unit.
std::string Sz(std::u16string_view text) { return LittleEndian(text) + std::string(2, '\0'); }

const HiveValue* ValueOf(const Hive& hive, std::u16string_view key, std::u16string_view name) {
  const HiveKey* found = hive.FindKey(key);
  return found ? found->FindValue(name) : nullptr;
}

Hive MustParse(std::string_view bytes) {
  Hive hive;
  const Status parsed = ParseHive(bytes, &hive);
  EXPECT_TRUE(parsed.ok()) << parsed.message();
  return hive;
}

// The file of a hive holding `values` in kKey.
std::string FileWith(const std::vector<HiveValue>& values) {
  Hive hive;
  HiveKey* key = nullptr;
  EXPECT_TRUE(hive.CreateKey(kKey, &key).ok());
  for (const HiveValue& v : values) EXPECT_TRUE(key->SetValue(v.name, v.type, v.data).ok());
  return SerializeHive(hive);
}

TEST(HiveFormatRoundTrip, EveryValueFormKeepsTypeAndBytes) {
  std::string blob;
  for (int i = 0; i < 1000; ++i) blob.push_back(static_cast<char>(i * 7));
  const std::vector<HiveValue> values = {
      {u"Count", kRegDword, "\x0a\0\0\0"s}, {u"", kRegSz, Sz(u"default")},
      {u"Path", kRegSz, Sz(u"C:\\Program Files\\\"Tarsel\"")}, {u"Empty", kRegSz, Sz(u"")},
      {u"Wide", kRegSz, Sz(U16("Grüße 日本 \xF0\x9F\x98\x80"))},
      {u"NoTerminator", kRegSz, LittleEndian(u"AB")}, {u"EmbeddedZero", kRegSz, "A\0\0\0B\0\0\0"s},
      {u"OddSize", kRegSz, "A\0\0"s}, {u"LineBreak", kRegSz, Sz(u"one\r\ntwo")},
      {u"Unpaired", kRegSz, Sz(std::u16string(1, char16_t{0xD800}))},
      {u"Blob", kRegBinary, "\x00\x01\xff"s}, {u"NoBytes", kRegBinary, ""},
      {u"ShortDword", kRegDword, "\x01\x02"}, {u"Expand", kRegExpandSz, Sz(u"%PATH%")},
      {u"Qword", kRegQword, std::string(8, '\x7f')}, {u"OddType", 0xFFFFFFFFu, "x"},
      {u"Quote\"Back\\slash", kRegSz, Sz(u"v")}, {u"Layout", 7, blob}};
  const std::string text = FileWith(values);
  const Hive parsed = MustParse(text);
  for (const HiveValue& value : values) {
    const HiveValue* read = ValueOf(parsed, kKey, value.name);
    ASSERT_NE(read, nullptr) << U8(value.name);
    EXPECT_EQ(read->type, value.type) << U8(value.name);
    EXPECT_EQ(read->data, value.data) << U8(value.name);
  }
  EXPECT_EQ(SerializeHive(parsed), text);
  // Each value in the plainest form that gives back its exact type and bytes.
  for (const char* line : {"\"Count\"=dword:0000000a", "@=\"default\"", "\"NoBytes\"=hex:",
                           "\"Wide\"=\"Grüße 日本 \xF0\x9F\x98\x80\"", "\"Blob\"=hex:00,01,ff",
                           "\"Path\"=\"C:\\\\Program Files\\\\\\\"Tarsel\\\"\"",
                           "\"NoTerminator\"=hex(1):41,00,42,00", "\"OddType\"=hex(ffffffff):78",
                           "\"Quote\\\"Back\\\\slash\"=\"v\""}) {
    EXPECT_NE(text.find("\r\n" + std::string(line) + "\r\n"), std::string::npos) << line;
  }
  // Long byte lists go on continued lines of at most the editor's 80 columns.
  std::size_t continued = 0;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    if (end == start || text[end - 1] != '\\') continue;
    ++continued;
    EXPECT_EQ(text.compare(end + 2, 2, "  "), 0);
  }
  EXPECT_GT(continued, 35u);
}

TEST(HiveFormatRead, AcceptsWhatTheWindowsEditorAndPeopleWrite) {
  const std::string utf16 = "\xFF\xFE" + LittleEndian(U16(
      kHead + std::string("\"WallPaper\"=\"C:\\\\Bilder\\\\Säule.bmp\"\r\n"
                          "\"Path\"=hex(2):25,00,41,00,25,00,\\\r\n  00,00\r\n")));
  const struct {
    std::string bytes;
    std::u16string_view name;
    std::uint32_t type;
    std::string data;
  } cases[] = {
      {utf16, u"WallPaper", kRegSz, Sz(U16("C:\\Bilder\\Säule.bmp"))},
      {utf16, u"Path", kRegExpandSz, Sz(u"%A%")},
      {"REGEDIT4\n\n; by hand\n[HKEY_CURRENT_USER\\A]\n  \"P\" = hex(2):25,50,25,00\n", u"P",
       kRegExpandSz, Sz(u"%P%")},  // the old format's strings are 8-bit
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Q\"=Dword:A\n", u"q", kRegDword, "\n\0\0\0"s},
      {"\xEF\xBB\xBF" + std::string(kHead) + "@=\"x\"\n", u"", kRegSz, Sz(u"x")},
      // A parent named after its child, and a section repeated in another case.
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n[hkey_current_user\\a]\n\"x\"=\"1\"\n"
       "[HKEY_CURRENT_USER\\A]\n\"X\"=\"3\"\n",
       u"x", kRegSz, Sz(u"3")},
  };
  for (const auto& c : cases) {
    const Hive hive = MustParse(c.bytes);
    const HiveValue* value = ValueOf(hive, u"HKEY_CURRENT_USER\\A", c.name);
    ASSERT_NE(value, nullptr) << U8(c.name);
    EXPECT_EQ(value->type, c.type) << U8(c.name);
    EXPECT_EQ(value->data, c.data) << U8(c.name);
    EXPECT_LE(hive.keys().size(), 3u) << "each key once";
    EXPECT_EQ(hive.keys()[1].path(), u"HKEY_CURRENT_USER\\A") << "a parent before its child";
  }
}

// Keys that differ in letter case only, beside one that sorts between them.
Hive MixedCaseTree() {
  Hive hive;
  for (const char* path : {"HKCU\\Ä\\X", "HKCU\\B", "hkcu\\ä\\Y", "HKCU\\ÄB"})
    EXPECT_TRUE(hive.CreateKey(U16(path), nullptr).ok()) << path;
  return hive;
}

TEST(HiveKeys, CaseInsensitiveTreeInOrder) {
  Hive hive = MixedCaseTree();
  std::vector<std::string> order;
  for (const HiveKey& key : hive.keys()) order.push_back(U8(key.path()));
  EXPECT_EQ(order, (std::vector<std::string>{"HKCU", "HKCU\\Ä", "HKCU\\Ä\\X", "HKCU\\Ä\\Y",
                                             "HKCU\\B", "HKCU\\ÄB"}));
  EXPECT_EQ(hive.ListSubkeys(u"hkcu").size(), 3u);
  EXPECT_EQ(hive.FindKey(u"HKCU\\AB"), nullptr);
  EXPECT_TRUE(hive.DeleteKey(U16("hkcu\\ä")));
  EXPECT_FALSE(hive.DeleteKey(U16("HKCU\\Ä")));
  EXPECT_EQ(hive.keys().size(), 3u);
}

TEST(HiveKeys, ValueNamesIgnoreCaseAndKeepTheFirstSpelling) {
  Hive hive = MixedCaseTree();
  HiveKey* key = hive.FindKey(U16("hkcu\\äb"));
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->SetValue(u"IsFirstUse", kRegDword, "1234").ok());
  ASSERT_TRUE(key->SetValue(u"ISFIRSTUSE", kRegBinary, "5").ok());
  ASSERT_EQ(key->values().size(), 1u);
  EXPECT_EQ(key->values()[0].name, u"IsFirstUse");
  EXPECT_EQ(key->FindValue(u"isfirstuse")->data, "5");
}

TEST(HiveKeys, RefusesBadPaths) {
  Hive hive;
  const std::u16string long_name = u"A\\" + std::u16string(256, u'k');
  for (const std::u16string_view bad : {u"", u"\\A", u"A\\\\B", u"A\\", u"A\nB", u"-A"})
    EXPECT_EQ(hive.CreateKey(bad, nullptr).code(), Status::Code::kInvalid) << U8(bad);
  EXPECT_EQ(hive.CreateKey(long_name, nullptr).code(), Status::Code::kInvalid);
}

TEST(HiveFormatCorrupt, DamagedFilesAreRefusedWithTheirLine) {
  const std::string head = kHead;
  const std::pair<std::string, int> cases[] = {  // the file and the line named, if any
      {"", 1}, {"[HKEY_CURRENT_USER\\A]\r\n", 1}, {"REGEDIT4\n\"a\"=\"b\"\n", 2},
      {head + "\"a\"=hex:01,02,\\\r\n", 4}, {head + "\"a\"=\"abc", 4},
      {head + "\"a\"=hex:01,\\\r\n  0g\r\n", 5}, {head + "\"a\"=hex:01,\r\n", 4},
      {head + "\"a\"=dword:123456789\r\n", 4}, {head + "\"a\"=\"\\n\"\r\n", 4},
      {head + "\"a\"=\"x\ry\"\r\n", 4}, {head + "[-HKEY_CURRENT_USER\\A]\r\n", 4},
      {head + "\"a\"=-\r\n", 4}, {head + "[HKEY_CURRENT_USER\\\\B]\r\n", 4},
      {head + "\"a\"=\"" + std::string(1 << 20, 'x') + "\r\n", 4},
      {head + std::string(1 << 20, 'x'), 4},
      {"\xFF\xFE" + LittleEndian(u"REGEDIT4\r\n\xDC00"), 2}, {"\xFE\xFF", 1},
      {"REGEDIT4\r\n" + std::string(kMaxHiveBytes, '\n'), 0}};
  for (const auto& [bytes, line] : cases) {
    const std::string what = bytes.substr(0, 80);
    Hive hive;
    ASSERT_TRUE(hive.CreateKey(u"HKEY_CURRENT_USER\\Kept", nullptr).ok());
    const Status parsed = ParseHive(bytes, &hive);
    EXPECT_EQ(parsed.code(), Status::Code::kCorrupt) << what;
    const std::string at = "line " + std::to_string(line) + ":";
    EXPECT_TRUE(line == 0 || parsed.message().find(at) != std::string::npos)
        << what << ": " << parsed.message();
    EXPECT_EQ(hive.keys().size(), 2u) << what;
  }
}

}  // namespace
}  // namespace fennimar::platform
