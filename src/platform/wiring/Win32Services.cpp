// The services on Windows: the system's own for every one of them (files,
// the registry, MSXML, the INI service); no desktop link.
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/wiring/Wiring.h"

namespace fennimar::platform {

const Services& DefaultServices() {
  static const Services* const services = [] {
    auto* made = new Services;
    made->files = NewWin32FileSystem().release();
    made->registry = NewWin32Registry().release();
    made->dom = NewMsxmlDom(*made->files).release();
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
