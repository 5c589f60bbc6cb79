#include "src/system/Wallpaper.h"

#include <string>

#include "src/common/Names.h"

namespace fennimar {
namespace {

// The text is read into 1040 units but only 1040 bytes are offered to the
// registry, so the units behind the data are always zero and end the text.
constexpr std::uint32_t kReadCapacityBytes = 1040;
constexpr std::size_t kBufferUnits = 1040;

// Registry strings are UTF-16 with the low byte first.
std::u16string TextUpToZero(const unsigned char* bytes, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

std::string LittleEndianBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

_Fennimar_ReturnCode_ GetWallpaper(RegistryController& controller, CString& path) {
  if (!controller.OpenKey(names::kDesktopKey)) return RC_SYSTEM_ERROR;
  unsigned char buffer[kBufferUnits * 2] = {'0', 0};  // "0" when the value is empty
  std::uint32_t type = 0;
  std::uint32_t size = kReadCapacityBytes;
  const bool read =
      controller.registry().QueryValue(controller.key(), names::kWallPaper, &type, buffer, &size).ok();
  if (read) path = CString(TextUpToZero(buffer, sizeof buffer));
  controller.CloseKey();
  return read ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

_Fennimar_ReturnCode_ SetWallpaper(RegistryController& controller, const CString& path) {
  if (!controller.OpenKey(names::kDesktopKey)) return RC_SYSTEM_ERROR;
  const std::string data = LittleEndianBytes(std::u16string_view(path.GetString()));
  const bool written = controller.registry()
                           .SetValue(controller.key(), names::kWallPaper, platform::kRegSz,
                                     data.data(), static_cast<std::uint32_t>(data.size()))
                           .ok();
  controller.CloseKey();
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
