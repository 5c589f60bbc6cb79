// Win32IniFile - the INI service on the system's private profile functions.
// Windows does the conversion and the editing; its results are the ones the
// library's other backends copy.
#include "src/platform/win32/Win32Api.h"

#include <memory>

#include "src/platform/win32/Win32Backends.h"
#include "src/common/WideText.h"
#include "src/platform/win32/ReadOnly.h"

namespace fennimar::platform {
namespace {

bool AnyNul(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
  return HasNul(a) || HasNul(b) || HasNul(c);
}

class Win32IniFile : public IniFile {
 public:
  // GetPrivateProfileIntW takes the default as an INT and answers a UINT;
  // both carry the same 32 bits as the library's unsigned value.
  std::uint32_t GetInt(std::u16string_view file, std::u16string_view section,
                       std::u16string_view key, std::uint32_t default_value) override {
    if (AnyNul(file, section, key)) return default_value;
    const UINT value = ::GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(),
                                               static_cast<INT>(default_value),
                                               Wide(file).c_str());
    return static_cast<std::uint32_t>(value);
  }

  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    if (AnyNul(file, section, key) || HasNul(value) || IsReadOnlyFile(file)) return false;
    return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                        Wide(value).c_str(), Wide(file).c_str()) != 0;
  }
};

}  // namespace

std::unique_ptr<IniFile> NewWin32IniFile() { return std::make_unique<Win32IniFile>(); }

}  // namespace fennimar::platform
