// DesktopPlugin - how the library and the desktop link's plugin meet. The
// link talks GIO, which with the libraries it pulls in costs a process more
// to load than the whole rest of the library; so it is a plugin of its own,
// loaded only when a known desktop runs and the wallpaper is asked for or
// given (see PluginDesktopWallpaper.cpp).
#ifndef FENNIMAR_PLATFORM_DESKTOP_DESKTOPPLUGIN_H_
#define FENNIMAR_PLATFORM_DESKTOP_DESKTOPPLUGIN_H_

#include "src/platform/DesktopWallpaper.h"

namespace fennimar::platform::desktop {

// The plugin's file in the library's plugin folder (see Plugins.h).
inline constexpr char kPluginFile[] = "gio-desktop.so";
// Its one entry point, of type NewDesktopWallpaperEntry.
inline constexpr char kPluginEntry[] = "FennimarNewDesktopWallpaper";
// Raised whenever DesktopWallpaper or this meeting changes, so that a plugin
// built from other sources is refused instead of called wrongly.
inline constexpr int kPluginInterface = 1;

// Makes the plugin's DesktopWallpaper, to be deleted by the caller; null
// when `interface` is not the plugin's kPluginInterface.
using NewDesktopWallpaperEntry = DesktopWallpaper* (*)(int interface);

}  // namespace fennimar::platform::desktop

#endif  // FENNIMAR_PLATFORM_DESKTOP_DESKTOPPLUGIN_H_
