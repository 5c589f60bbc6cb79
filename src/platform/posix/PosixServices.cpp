// The POSIX backend set, made once and kept for the life of the process, so
// that no service is destroyed while a static object might still use it.
#include "src/platform/Services.h"
#include "src/platform/desktop/GioDesktop.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/standin/StandIns.h"

namespace fennimar::platform {

const Services& DefaultServices() {
  static const Services* const services = [] {
    auto* made = new Services;
    made->files = NewPosixFileSystem().release();
    made->registry = NewHiveRegistry(*made->files).release();
    made->dom = NewPugiXmlDom(*made->files).release();
    made->module = NewPosixModulePath().release();
    made->sleeper = NewPosixSleeper().release();
    made->ini = NewTextIniFile(*made->files).release();
    made->locks = NewPosixDocumentLocks().release();
    made->desktop = NewGioDesktopWallpaper().release();
    return made;
  }();
  return *services;
}

}  // namespace fennimar::platform
