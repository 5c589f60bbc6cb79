#include "src/platform/posix/HiveFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/platform/Registry.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using testing::U16;

constexpr char16_t kKey[] = u"HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2";

std::string LittleEndian(std::u16string_view units) {
  std::string bytes;
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// REG_SZ data: the units and one terminating zero unit.
std::string Sz(std::u16string_view text) { return LittleEndian(text) + std::string(2, '\0'); }

Hive MustParse(std::string_view bytes) {
  Hive hive;
  const Status parsed = ParseHive(bytes, &hive);
  EXPECT_TRUE(parsed.ok()) << parsed.message();
  return hive;
}

const HiveValue* ValueOf(const Hive& hive, std::u16string_view key, std::u16string_view name) {
  const HiveKey* found = hive.FindKey(key);
  return found ? found->FindValue(name) : nullptr;
}

// ---- Round trips ----------------------------------------------------------

TEST(HiveFormatRoundTrip, EveryValueFormKeepsTypeAndBytes) {
  const std::vector<HiveValue> values = {
      {u"Count", kRegDword, std::string("\x0a\0\0\0", 4)},
      {u"Path", kRegSz, Sz(u"C:\\Program Files\\\"Tarsel\"")},
      {u"Wide", kRegSz, Sz(U16("Grüße 日本 \xF0\x9F\x98\x80"))},
      {u"", kRegSz, Sz(u"default")},
      {u"Empty", kRegSz, Sz(u"")},
      {u"NoTerminator", kRegSz, LittleEndian(u"AB")},
      {u"EmbeddedZero", kRegSz, LittleEndian(std::u16string(u"A\0B\0", 4))},
      {u"OddSize", kRegSz, std::string("A\0\0", 3)},
      {u"LineBreak", kRegSz, Sz(u"one\r\ntwo")},
      {u"Unpaired", kRegSz, Sz(std::u16string(1, char16_t{0xD800}))},
      {u"Blob", kRegBinary, std::string("\x00\x01\xff", 3)},
      {u"NoBytes", kRegBinary, ""},
      {u"ShortDword", kRegDword, std::string("\x01\x02", 2)},
      {u"Expand", kRegExpandSz, Sz(u"%PATH%")},
      {u"Qword", kRegQword, std::string(8, '\x7f')},
      {u"OddType", 0xFFFFFFFFu, "x"},
      {u"Quote\"Back\\slash", kRegSz, Sz(u"v")},
  };
  Hive hive;
  HiveKey* key = nullptr;
  ASSERT_TRUE(hive.CreateKey(kKey, &key).ok());
  for (const HiveValue& value : values)
    ASSERT_TRUE(key->SetValue(value.name, value.type, value.data).ok());

  const std::string text = SerializeHive(hive);
  const Hive parsed = MustParse(text);
  for (const HiveValue& value : values) {
    const HiveValue* read = ValueOf(parsed, kKey, value.name);
    ASSERT_NE(read, nullptr) << testing::U8(value.name);
    EXPECT_EQ(read->type, value.type) << testing::U8(value.name);
    EXPECT_EQ(read->data, value.data) << testing::U8(value.name);
  }
  EXPECT_EQ(SerializeHive(parsed), text);
  for (const char* line :
       {"\r\n\"Count\"=dword:0000000a\r\n",
        "\r\n\"Path\"=\"C:\\\\Program Files\\\\\\\"Tarsel\\\"\"\r\n",
        "\r\n\"Wide\"=\"Grüße 日本 \xF0\x9F\x98\x80\"\r\n", "\r\n@=\"default\"\r\n",
        "\r\n\"NoTerminator\"=hex(1):41,00,42,00\r\n", "\r\n\"Blob\"=hex:00,01,ff\r\n",
        "\r\n\"NoBytes\"=hex:\r\n", "\r\n\"OddType\"=hex(ffffffff):78\r\n",
        "\r\n\"Quote\\\"Back\\\\slash\"=\"v\"\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
}

TEST(HiveFormatRoundTrip, LongHexWrapsWithinEightyColumns) {
  std::string blob;
  for (int i = 0; i < 1000; ++i) blob.push_back(static_cast<char>(i * 7));
  Hive hive;
  HiveKey* key = nullptr;
  ASSERT_TRUE(hive.CreateKey(kKey, &key).ok());
  ASSERT_TRUE(key->SetValue(u"Layout", kRegBinary, blob).ok());
  ASSERT_TRUE(key->SetValue(u"Layout2", 7, blob).ok());
  const std::string text = SerializeHive(hive);

  std::size_t continued = 0;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 80u) << line;
    if (!line.empty() && line.back() == '\\') {
      ++continued;
      EXPECT_EQ(text.compare(end + 2, 2, "  "), 0);
    }
  }
  EXPECT_GT(continued, 60u);
  const Hive parsed = MustParse(text);
  EXPECT_EQ(ValueOf(parsed, kKey, u"Layout")->data, blob);
  EXPECT_EQ(ValueOf(parsed, kKey, u"Layout2")->data, blob);
  EXPECT_EQ(SerializeHive(parsed), text);
}

// ---- Reading what the Windows editor and people write ---------------------

TEST(HiveFormatRead, Utf16LittleEndianExportWithBom) {
  const std::u16string text =
      U16("Windows Registry Editor Version 5.00\r\n\r\n"
          "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
          "\"WallPaper\"=\"C:\\\\Bilder\\\\Säule.bmp\"\r\n"
          "\"Size\"=dword:00000100\r\n"
          "\"Path\"=hex(2):25,00,41,00,25,00,\\\r\n  00,00\r\n\r\n");
  const Hive hive = MustParse("\xFF\xFE" + LittleEndian(text));
  const std::u16string key = u"HKEY_CURRENT_USER\\Control Panel\\Desktop";
  EXPECT_EQ(ValueOf(hive, key, u"WallPaper")->data, Sz(U16("C:\\Bilder\\Säule.bmp")));
  EXPECT_EQ(ValueOf(hive, key, u"Size")->data, std::string("\0\1\0\0", 4));
  EXPECT_EQ(ValueOf(hive, key, u"Path")->type, kRegExpandSz);
  EXPECT_EQ(ValueOf(hive, key, u"Path")->data, Sz(u"%A%"));
}

TEST(HiveFormatRead, OldHeaderCommentsBomAndLineFeeds) {
  const Hive old = MustParse(
      "REGEDIT4\n\n; written by hand\n[HKEY_CURRENT_USER\\A]\n"
      "  \"P\" = hex(2):25,50,25,00\n\"Q\"=Dword:A\n");
  EXPECT_EQ(ValueOf(old, u"HKEY_CURRENT_USER\\A", u"P")->data, Sz(u"%P%"));
  EXPECT_EQ(ValueOf(old, u"HKEY_CURRENT_USER\\A", u"Q")->data, std::string("\n\0\0\0", 4));

  const Hive bom =
      MustParse("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n[HKEY_CURRENT_USER]\n@=\"x\"\n");
  EXPECT_EQ(ValueOf(bom, u"HKEY_CURRENT_USER", u"")->data, Sz(u"x"));
}

TEST(HiveFormatRead, ImpliedParentsAndRepeatedSectionsMerge) {
  const Hive hive = MustParse(
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A\\B]\r\n\"x\"=\"1\"\r\n"
      "\"y\"=\"2\"\r\n[hkey_current_user\\a\\b]\r\n\"X\"=\"3\"\r\n");
  ASSERT_EQ(hive.keys().size(), 3u);
  EXPECT_EQ(hive.keys()[1].path(), u"HKEY_CURRENT_USER\\A");
  const HiveKey* key = hive.FindKey(u"HKEY_CURRENT_USER\\A\\B");
  ASSERT_EQ(key->values().size(), 2u);
  EXPECT_EQ(key->values()[0].name, u"x");
  EXPECT_EQ(key->values()[0].data, Sz(u"3"));
}

// ---- Keys and values --------------------------------------------------------

TEST(HiveKeys, NamesCompareWithoutCase) {
  Hive hive;
  HiveKey* key = nullptr;
  ASSERT_TRUE(hive.CreateKey(U16("HKEY_CURRENT_USER\\Software\\Ärger"), &key).ok());
  ASSERT_TRUE(key->SetValue(u"IsFirstUse", kRegDword, "1234").ok());
  ASSERT_TRUE(key->SetValue(u"ISFIRSTUSE", kRegBinary, "5").ok());
  const HiveKey* found = hive.FindKey(U16("hkey_current_user\\SOFTWARE\\äRGER"));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->path(), U16("HKEY_CURRENT_USER\\Software\\Ärger"));
  ASSERT_EQ(found->values().size(), 1u);
  EXPECT_EQ(found->values()[0].name, u"IsFirstUse");
  EXPECT_EQ(found->FindValue(u"isfirstuse")->data, "5");
  EXPECT_EQ(hive.FindKey(u"HKEY_CURRENT_USER\\Software\\Arger"), nullptr);
}

TEST(HiveKeys, CreateKeepsTreeOrderAndDeleteTakesSubkeys) {
  Hive hive;
  for (const char16_t* path : {u"HKCU\\A\\X", u"HKCU\\B", u"HKCU\\a\\Y", u"HKCU\\AB"}) {
    ASSERT_TRUE(hive.CreateKey(path, nullptr).ok());
  }
  std::vector<std::u16string> order;
  for (const HiveKey& key : hive.keys()) order.push_back(key.path());
  EXPECT_EQ(order, (std::vector<std::u16string>{u"HKCU", u"HKCU\\A", u"HKCU\\A\\X", u"HKCU\\A\\Y",
                                                u"HKCU\\B", u"HKCU\\AB"}));
  EXPECT_EQ(hive.ListSubkeys(u"hkcu"),
            (std::vector<std::u16string>{u"HKCU\\A", u"HKCU\\B", u"HKCU\\AB"}));
  EXPECT_TRUE(hive.DeleteKey(u"HKCU\\a"));
  EXPECT_FALSE(hive.DeleteKey(u"HKCU\\A"));
  EXPECT_EQ(hive.keys().size(), 3u);
  EXPECT_NE(hive.FindKey(u"HKCU\\AB"), nullptr);
  for (const char16_t* bad : {u"", u"\\A", u"A\\\\B", u"A\\", u"A\nB"}) {
    EXPECT_EQ(hive.CreateKey(bad, nullptr).code(), Status::Code::kInvalid);
  }
  EXPECT_EQ(hive.CreateKey(u"A\\" + std::u16string(256, u'k'), nullptr).code(),
            Status::Code::kInvalid);
}

// ---- Damaged files ------------------------------------------------------------

struct Damaged {
  const char* what;
  std::string bytes;
  int line;  // 0: no line to name
};

TEST(HiveFormatCorrupt, DamagedFilesAreRefusedWithTheirLine) {
  const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n";
  const std::vector<Damaged> cases = {
      {"empty", "", 1},
      {"no header", "[HKEY_CURRENT_USER\\A]\r\n", 1},
      {"cut inside hex", head + "\"a\"=hex:01,02,\\\r\n", 4},
      {"cut inside text", head + "\"a\"=\"abc", 4},
      {"bad hex", head + "\"a\"=hex:01,\\\r\n  0g\r\n", 5},
      {"trailing comma", head + "\"a\"=hex:01,\r\n", 4},
      {"long dword", head + "\"a\"=dword:123456789\r\n", 4},
      {"unknown escape", head + "\"a\"=\"\\n\"\r\n", 4},
      {"NUL byte", head + std::string("\"a\"=\"x\0\"\r\n", 10), 4},
      {"stray CR", head + "\"a\"=\"x\ry\"\r\n", 4},
      {"bad UTF-8", head + "\"a\"=\"\xC3\x28\"\r\n", 4},
      {"value first", "REGEDIT4\n\"a\"=\"b\"\n", 2},
      {"key deletion", head + "[-HKEY_CURRENT_USER\\A]\r\n", 4},
      {"value deletion", head + "\"a\"=-\r\n", 4},
      {"empty key name", head + "[HKEY_CURRENT_USER\\\\B]\r\n", 4},
      {"1 MB line", head + "\"a\"=\"" + std::string(1 << 20, 'x') + "\r\n", 4},
      {"1 MB garbage", head + std::string(1 << 20, 'x'), 4},
      {"odd UTF-16", "\xFF\xFE" + LittleEndian(u"REGEDIT4\r\n") + "x", 2},
      {"lone surrogate", "\xFF\xFE" + LittleEndian(u"REGEDIT4\r\n\xDC00"), 2},
      {"big-endian", "\xFE\xFF", 1},
      {"too large", "REGEDIT4\r\n" + std::string(kMaxHiveBytes, '\n'), 0},
  };
  for (const Damaged& damaged : cases) {
    Hive hive;
    ASSERT_TRUE(hive.CreateKey(u"HKEY_CURRENT_USER\\Kept", nullptr).ok());
    const Status parsed = ParseHive(damaged.bytes, &hive);
    EXPECT_EQ(parsed.code(), Status::Code::kCorrupt) << damaged.what;
    if (damaged.line > 0) {
      EXPECT_NE(parsed.message().find("line " + std::to_string(damaged.line) + ":"),
                std::string::npos)
          << damaged.what << ": " << parsed.message();
    }
    EXPECT_EQ(hive.keys().size(), 2u) << damaged.what;
  }
}

TEST(HiveFormatCorrupt, EveryCutOfAFileParsesOrFailsCleanly) {
  Hive hive;
  HiveKey* key = nullptr;
  ASSERT_TRUE(hive.CreateKey(kKey, &key).ok());
  ASSERT_TRUE(key->SetValue(u"Blob", kRegBinary, std::string(100, '\x5a')).ok());
  ASSERT_TRUE(key->SetValue(u"Text", kRegSz, Sz(u"a \"quoted\" text")).ok());
  const std::string text = SerializeHive(hive);
  for (std::size_t cut = 0; cut < text.size(); ++cut) {
    Hive parsed;
    const Status status = ParseHive(std::string_view(text).substr(0, cut), &parsed);
    EXPECT_TRUE(status.ok() || status.code() == Status::Code::kCorrupt) << cut;
    EXPECT_TRUE(status.ok() || parsed.keys().empty()) << cut;
  }
}

}  // namespace
}  // namespace fennimar::platform
