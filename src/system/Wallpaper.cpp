#include "src/system/Wallpaper.h"

#include <optional>
#include <string>

#include "src/common/Names.h"
#include "src/common/Utf16Bytes.h"

namespace fennimar {
namespace {

// The text is read into 1040 units but only 1040 bytes are offered to the
// registry, so the units behind the data are always zero and end the text.
constexpr std::uint32_t kReadCapacityBytes = 1040;
constexpr std::size_t kBufferUnits = 1040;

// Registry strings are UTF-16 with the low byte first.
std::u16string TextUpToZero(const unsigned char* bytes, std::size_t size) {
  std::u16string text =
      UnitsFromLittleEndian(std::string_view(reinterpret_cast<const char*>(bytes), size));
  text.resize(std::u16string_view(text.c_str()).size());
  return text;
}

}  // namespace

_Fennimar_ReturnCode_ GetWallpaper(RegistryController& controller, CString& path,
                                   platform::DesktopWallpaper* desktop) {
  if (desktop != nullptr) {
    if (std::optional<std::u16string> shown = desktop->Current()) {
      path = CString(*shown);
      return RC_SUCCESS;
    }
  }
  unsigned char buffer[kBufferUnits * 2] = {'0', 0};  // "0" when the value is empty
  std::uint32_t size = kReadCapacityBytes;
  if (!controller.ReadValue(names::kDesktopKey, names::kWallPaper, buffer, &size)) {
    return RC_SYSTEM_ERROR;
  }
  path = CString(TextUpToZero(buffer, sizeof buffer));
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ SetWallpaper(RegistryController& controller, const CString& path,
                                   platform::DesktopWallpaper* desktop) {
  const std::u16string_view units(path.GetString());
  const std::string data = LittleEndianBytes(units);
  const bool written =
      controller.WriteValue(names::kDesktopKey, names::kWallPaper, platform::kRegSz, data.data(),
                            static_cast<std::uint32_t>(data.size()));
  if (!written) return RC_SYSTEM_ERROR;
  // A desktop that does not take the path keeps its picture; the registry
  // value is written all the same.
  if (desktop != nullptr) (void)desktop->Show(units);
  return RC_SUCCESS;
}

}  // namespace fennimar
