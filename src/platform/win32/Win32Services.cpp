// The Windows backend set, made once and kept for the life of the process, so
// that no service is destroyed while a static object might still use it.
#include "src/platform/Services.h"
#include "src/platform/win32/Win32Backends.h"

namespace fennimar::platform {

const Services& DefaultServices() {
  static const Services* const services = [] {
    auto* made = new Services;
    made->files = NewWin32FileSystem().release();
    made->registry = NewWin32Registry().release();
    made->dom = NewMsxmlDom().release();
    made->module = NewWin32ModulePath().release();
    made->sleeper = NewWin32Sleeper().release();
    made->ini = NewWin32IniFile().release();
    made->locks = NewWin32DocumentLocks().release();
    made->desktop = NewNoDesktopWallpaper().release();
    return made;
  }();
  return *services;
}

}  // namespace fennimar::platform
