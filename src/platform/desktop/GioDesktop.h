// GioDesktop - the desktop link on Linux and other free desktops, through
// GIO: GSettings for the GNOME family, Cinnamon and MATE, GDBus for Xfce's
// settings service and KDE Plasma's shell. The link itself is a plugin
// (DesktopPlugin.h); only the factory of the library's side is visible.
#ifndef FENNIMAR_PLATFORM_DESKTOP_GIODESKTOP_H_
#define FENNIMAR_PLATFORM_DESKTOP_GIODESKTOP_H_

#include <memory>

#include "src/platform/DesktopWallpaper.h"

namespace fennimar::platform {

// Finds the session's desktop afresh at every call from XDG_CURRENT_DESKTOP
// and DESKTOP_SESSION; neither the plugin nor GLib is loaded while none is
// known or while FENNIMAR_NO_DESKTOP is set to anything but "" or "0". A
// plugin that is missing or cannot be loaded answers as no known desktop.
std::unique_ptr<DesktopWallpaper> NewGioDesktopWallpaper();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_DESKTOP_GIODESKTOP_H_
