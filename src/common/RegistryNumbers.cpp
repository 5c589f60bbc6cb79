#include "src/common/RegistryNumbers.h"

namespace fennimar {

std::string DwordBytes(std::uint32_t value) {
  std::string bytes(kDwordBytes, '\0');
  for (std::size_t i = 0; i < kDwordBytes; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::uint64_t NumberFromBytes(std::string_view bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size() < 8 ? bytes.size() : 8; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return value;
}

}  // namespace fennimar
