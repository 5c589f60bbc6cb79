// On Windows: the system's registry and files, and the system's text for
// their errors.
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"
#include "src/platform/wiring/UserRegistry.h"

namespace fennimar::platform {

FileSystem& UserFileSystem() {
  static FileSystem* const files = NewWin32FileSystem().release();
  return *files;
}

std::unique_ptr<Registry> NewUserRegistry(HiveFileFailure* /*failure*/) {
  return NewWin32Registry();
}

std::string RegistryErrorText(const Status& status) {
  const auto error = static_cast<DWORD>(status.os_error());
  return error != 0 ? SystemErrorText(error) : status.message();
}

}  // namespace fennimar::platform
