// Wallpaper - the desktop wallpaper path, kept by the operating system in the
// registry value "WallPaper" of "Control Panel\Desktop" below
// HKEY_CURRENT_USER. The library reads and writes the value only; it never
// creates the key and never asks the system to apply the wallpaper.
#ifndef FENNIMAR_SYSTEM_WALLPAPER_H_
#define FENNIMAR_SYSTEM_WALLPAPER_H_

#include "fennimar/FennimarDllInterface.h"
#include "src/system/RegistryController.h"

namespace fennimar {

// Reads the value as UTF-16 text through a capacity of 1040 bytes, whatever
// its type. A value of 0 bytes reads as "0". RC_SYSTEM_ERROR, with `path`
// untouched, when the key or value is missing or holds more than 1040 bytes.
_Fennimar_ReturnCode_ GetWallpaper(RegistryController& controller, CString& path);
// Writes the path's units up to its first zero unit as REG_SZ, without a
// terminating zero unit (2 bytes per unit).
_Fennimar_ReturnCode_ SetWallpaper(RegistryController& controller, const CString& path);

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_WALLPAPER_H_
