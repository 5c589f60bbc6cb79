// The services on POSIX: the operating system's backends for files, locks,
// the module's path and waiting; the portable stand-ins, on those files, for
// the registry, the XML DOM and INI files; the desktop link through GIO.
#include "src/platform/desktop/GioDesktop.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/standin/StandIns.h"
#include "src/platform/wiring/Wiring.h"

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
