#include "src/common/Utf16Bytes.h"

namespace fennimar {
namespace {

void AppendBytes(std::u16string_view units, bool big_endian, std::string& out) {
  out.reserve(out.size() + units.size() * 2);
  for (const char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    out.push_back(big_endian ? high : low);
    out.push_back(big_endian ? low : high);
  }
}

std::u16string Units(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(big_endian ? (first << 8 | second) : (second << 8 | first)));
  }
  return units;
}

}  // namespace

void AppendLittleEndianBytes(std::u16string_view units, std::string& out) {
  AppendBytes(units, /*big_endian=*/false, out);
}

std::string LittleEndianBytes(std::u16string_view units) {
  std::string bytes;
  AppendLittleEndianBytes(units, bytes);
  return bytes;
}

std::u16string UnitsFromLittleEndian(std::string_view bytes) {
  return Units(bytes, /*big_endian=*/false);
}

void AppendBigEndianBytes(std::u16string_view units, std::string& out) {
  AppendBytes(units, /*big_endian=*/true, out);
}

std::u16string UnitsFromBigEndian(std::string_view bytes) { return Units(bytes, /*big_endian=*/true); }

}  // namespace fennimar
