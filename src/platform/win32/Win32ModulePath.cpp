// Win32ModulePath - where the host lives: GetModuleFileNameW of the host's
// executable module (the null module handle), read through a buffer that
// grows until the name fits.
#include "src/platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "src/common/WideText.h"

namespace fennimar::platform {
namespace {

// Long paths may exceed MAX_PATH; names longer than this are not followed.
constexpr DWORD kMaxNameUnits = 32768;

std::u16string ModuleName(HMODULE module) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(module, buffer.data(), size);
    if (length == 0) return std::u16string();
    if (length < size) return FromWide(buffer.data(), length);  // a cut name fills the buffer
    if (size >= kMaxNameUnits) return std::u16string();
    buffer.resize(size * 2);
  }
}

class Win32ModulePath : public ModulePath {
 public:
  std::u16string ModuleFileName() override { return ModuleName(::GetModuleHandleW(nullptr)); }
  std::u16string ExecutableFileName() override { return ModuleName(nullptr); }
};

}  // namespace

std::unique_ptr<ModulePath> NewWin32ModulePath() { return std::make_unique<Win32ModulePath>(); }

}  // namespace fennimar::platform
