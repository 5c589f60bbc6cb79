#include "src/common/Utf16Bytes.h"

namespace fennimar {

void AppendLittleEndianBytes(std::u16string_view units, std::string& out) {
  out.reserve(out.size() + units.size() * 2);
  for (const char16_t unit : units) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
}

std::string LittleEndianBytes(std::u16string_view units) {
  std::string bytes;
  AppendLittleEndianBytes(units, bytes);
  return bytes;
}

std::u16string UnitsFromLittleEndian(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return units;
}

}  // namespace fennimar
