// ReadOnly - whether a file's owner marked it read-only. Windows' own
// services refuse to replace such a file; Wine's replace it, so the library
// asks first.
#ifndef FENNIMAR_PLATFORM_WIN32_READONLY_H_
#define FENNIMAR_PLATFORM_WIN32_READONLY_H_

#include <string_view>

#include "src/common/WideText.h"
#include "src/platform/win32/Win32Api.h"

namespace fennimar::platform {

// False for a file that does not exist (or cannot be asked about).
inline bool IsReadOnlyFile(std::u16string_view path) {
  if (HasNul(path)) return false;
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_READONLY_H_
