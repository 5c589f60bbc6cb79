// Wallpaper - the desktop wallpaper path, kept by the operating system in the
// registry value "WallPaper" of "Control Panel\Desktop" below
// HKEY_CURRENT_USER. The library never creates that key. Where the registry
// value is not what the desktop shows (a free desktop on Linux), the desktop
// link, when given, carries the path to the desktop as well.
#ifndef FENNIMAR_SYSTEM_WALLPAPER_H_
#define FENNIMAR_SYSTEM_WALLPAPER_H_

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/DesktopWallpaper.h"
#include "src/system/RegistryController.h"

namespace fennimar {

// Reads the value as UTF-16 text through a capacity of 1040 bytes, whatever
// its type. A value of 0 bytes reads as "0". RC_SYSTEM_ERROR, with `path`
// untouched, when the key or value is missing or holds more than 1040 bytes.
// A desktop that answers through `desktop` gives the path instead:
// RC_SUCCESS with the picture it shows now.
_Fennimar_ReturnCode_ GetWallpaper(RegistryController& controller, CString& path,
                                   platform::DesktopWallpaper* desktop = nullptr);
// Writes the path's units up to its first zero unit as REG_SZ, without a
// terminating zero unit (2 bytes per unit). Once written, the path also goes
// to the desktop through `desktop`; whether the desktop takes it does not
// change the result.
_Fennimar_ReturnCode_ SetWallpaper(RegistryController& controller, const CString& path,
                                   platform::DesktopWallpaper* desktop = nullptr);

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_WALLPAPER_H_
