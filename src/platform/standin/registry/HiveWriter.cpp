// Writing a hive in the registry editor's export format (see HiveFormat.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "src/common/RegistryNumbers.h"
#include "src/common/Utf.h"
#include "src/common/Utf16Bytes.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/HiveFormat.h"
#include "src/platform/standin/registry/HiveInternal.h"

namespace fennimar::platform {
namespace {

using hive_internal::IsLineSafe;
using hive_internal::kHiveHeader;

constexpr std::size_t kWrapColumn = 80;

void AppendHex(std::uint32_t number, int min_digits, std::string& out) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char buffer[8];
  int count = 0;
  do {
    buffer[count++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0 || count < min_digits);
  while (count > 0) out.push_back(buffer[--count]);
}

void AppendQuoted(std::u16string_view text, std::string& out) {
  out.push_back('"');
  for (const char c : Utf16ToUtf8(text)) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
}

// The text of a REG_SZ when the plain "text" form gives back exactly its
// bytes: an even size, one terminating zero unit and nothing a line cannot hold.
bool AsPlainString(std::string_view data, std::u16string* text) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  *text = UnitsFromLittleEndian(data);
  if (text->back() != 0) return false;
  text->pop_back();
  return IsLineSafe(*text);
}

// Writes "xx,xx,..." continuing long lists on lines indented by two spaces, so
// that no line is wider than the editor's 80 columns (one byte at least each).
void AppendHexList(std::string_view data, std::size_t line_start, std::string& out) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const bool last = i + 1 == data.size();
    const std::size_t width = last ? 2 : 3;
    if (i > 0 && out.size() - line_start + width + 1 > kWrapColumn) {
      out += "\\\r\n  ";
      line_start = out.size() - 2;
    }
    AppendHex(static_cast<unsigned char>(data[i]), 2, out);
    if (!last) out.push_back(',');
  }
}

void AppendValue(const HiveValue& value, std::string& out) {
  const std::size_t line_start = out.size();
  if (value.name.empty()) {
    out.push_back('@');
  } else {
    AppendQuoted(value.name, out);
  }
  out.push_back('=');
  std::u16string text;
  if (value.type == kRegDword && value.data.size() == kDwordBytes) {
    out += "dword:";
    AppendHex(static_cast<std::uint32_t>(NumberFromBytes(value.data)), 8, out);
  } else if (value.type == kRegSz && AsPlainString(value.data, &text)) {
    AppendQuoted(text, out);
  } else {
    if (value.type == kRegBinary) {
      out += "hex:";
    } else {
      out += "hex(";
      AppendHex(value.type, 1, out);
      out += "):";
    }
    AppendHexList(value.data, line_start, out);
  }
  out += "\r\n";
}

// "[PATH]" and the key's values; the path is `root` followed by `below`
// (when not empty) after a backslash.
void AppendKey(std::u16string_view root, std::u16string_view below,
               const std::vector<HiveValue>& values, std::string& out) {
  out.push_back('[');
  AppendUtf16AsUtf8(root, out);
  if (!below.empty()) {
    out.push_back('\\');
    AppendUtf16AsUtf8(below, out);
  }
  out += "]\r\n";
  for (const HiveValue& value : values) AppendValue(value, out);
  out += "\r\n";
}

std::string Header() { return std::string(kHiveHeader) + "\r\n\r\n"; }

}  // namespace

std::string SerializeHive(const Hive& hive) {
  std::string out = Header();
  for (const HiveKey& key : hive.keys()) AppendKey(key.path(), u"", key.values(), out);
  return out;
}

std::string SerializeRegistryKeys(const std::vector<RegistryKeyData>& keys) {
  std::string out = Header();
  for (const RegistryKeyData& key : keys)
    AppendKey(u"HKEY_CURRENT_USER", key.path, key.values, out);
  return out;
}

}  // namespace fennimar::platform
