#include "cli/RegValues.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/Errors.h"
#include "src/common/RegistryNumbers.h"
#include "src/common/Utf.h"
#include "src/common/Utf16Bytes.h"
#include "src/platform/Registry.h"

namespace fennimar::cli {
namespace {

using platform::HiveValue;

struct TypeName {
  std::uint32_t type;
  const char* name;
};

constexpr TypeName kTypeNames[] = {
    {0, "REG_NONE"},
    {platform::kRegSz, "REG_SZ"},
    {platform::kRegExpandSz, "REG_EXPAND_SZ"},
    {platform::kRegBinary, "REG_BINARY"},
    {platform::kRegDword, "REG_DWORD"},
    {platform::kRegMultiSz, "REG_MULTI_SZ"},
    {platform::kRegQword, "REG_QWORD"},
};

bool IsTextType(std::uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz;
}

// UTF-16LE units; false for an odd number of bytes.
bool DecodeUnits(const std::string& bytes, std::u16string* units) {
  if (bytes.size() % 2 != 0) return false;
  units->append(UnitsFromLittleEndian(bytes));
  return true;
}

// The strings of a text or multi-string value, split at zero units; the
// terminating zeros are dropped.
bool DecodeStrings(const std::string& bytes, std::vector<std::string>* strings) {
  std::u16string units;
  if (!DecodeUnits(bytes, &units)) return false;
  while (!units.empty() && units.back() == u'\0') units.pop_back();
  std::size_t start = 0;
  for (std::size_t i = 0; i <= units.size(); ++i) {
    if (i == units.size() || units[i] == u'\0') {
      strings->push_back(Utf16ToUtf8(std::u16string_view(units).substr(start, i - start)));
      start = i + 1;
    }
  }
  return true;
}

std::string HexBytes(const std::string& bytes) {
  std::string text;
  char byte[4];
  for (const char c : bytes) {
    if (!text.empty()) text += ',';
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(c));
    text += byte;
  }
  return text;
}

bool IsNumberOfSize(const HiveValue& value) {
  return (value.type == platform::kRegDword && value.data.size() == kDwordBytes) ||
         (value.type == platform::kRegQword && value.data.size() == 8);
}

std::string EncodeDword(std::string_view text) {
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), &end, 0);
  if (copy.empty() || *end != '\0' || errno == ERANGE || value < -2147483648LL ||
      value > 4294967295LL) {
    Fail(Exit::kUsage, "--data: '" + copy + "' is not a 32-bit number (decimal or 0x-hex)");
  }
  return DwordBytes(static_cast<std::uint32_t>(value));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string EncodeBinary(std::string_view text) {
  std::string digits;
  for (const char c : text) {
    if (c == ',' || c == ' ') continue;
    if (HexDigit(c) < 0)
      Fail(Exit::kUsage, "--data: '" + std::string(1, c) + "' is not a hex digit");
    digits += c;
  }
  if (digits.size() % 2 != 0) Fail(Exit::kUsage, "--data: hex bytes need two digits each");
  std::string bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    bytes += static_cast<char>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1]));
  }
  return bytes;
}

std::string EncodeText(std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  units.push_back(u'\0');
  return LittleEndianBytes(units);
}

}  // namespace

std::string RegTypeName(std::uint32_t type) {
  for (const auto& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  char name[24];
  std::snprintf(name, sizeof name, "REG_0x%x", static_cast<unsigned>(type));
  return name;
}

std::uint32_t ParseRegType(std::string_view name) {
  std::string upper(name);
  for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "REG_SZ") return platform::kRegSz;
  if (upper == "REG_DWORD") return platform::kRegDword;
  if (upper == "REG_BINARY") return platform::kRegBinary;
  Fail(Exit::kUsage,
       "unknown type '" + std::string(name) + "'; valid types: REG_SZ, REG_DWORD, REG_BINARY");
}

std::string EncodeRegData(std::uint32_t type, std::string_view text) {
  if (type == platform::kRegDword) return EncodeDword(text);
  if (type == platform::kRegBinary) return EncodeBinary(text);
  return EncodeText(text);
}

std::string FormatRegData(const HiveValue& value) {
  std::vector<std::string> strings;
  if (IsTextType(value.type) && DecodeStrings(value.data, &strings) && strings.size() == 1) {
    return strings.front();
  }
  if (value.type == platform::kRegMultiSz && DecodeStrings(value.data, &strings)) {
    std::string joined;
    for (const auto& s : strings) joined += (joined.empty() ? "" : " | ") + s;
    return joined;
  }
  if (IsNumberOfSize(value)) {
    const std::uint64_t number = NumberFromBytes(value.data);
    char text[48];
    std::snprintf(text, sizeof text,
                  value.data.size() == 4 ? "0x%08llx (%llu)" : "0x%016llx (%llu)",
                  static_cast<unsigned long long>(number), static_cast<unsigned long long>(number));
    return text;
  }
  return HexBytes(value.data);
}

Json RegValueToJson(const HiveValue& value) {
  Json object = {{"name", Utf16ToUtf8(value.name)}, {"type", RegTypeName(value.type)}};
  std::vector<std::string> strings;
  if (IsTextType(value.type) && DecodeStrings(value.data, &strings) && strings.size() == 1) {
    object["data"] = strings.front();
  } else if (value.type == platform::kRegMultiSz && DecodeStrings(value.data, &strings)) {
    object["data"] = strings;
  } else if (IsNumberOfSize(value)) {
    object["data"] = NumberFromBytes(value.data);
  } else {
    object["data"] = HexBytes(value.data);
  }
  return object;
}

}  // namespace fennimar::cli
