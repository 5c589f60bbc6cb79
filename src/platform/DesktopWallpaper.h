// DesktopWallpaper - the picture that the session's desktop shows, asked of
// and given to the desktop itself (its settings service or shell), beside the
// value the library keeps in the registry.
//
// A backend that knows no desktop in this session, or that has been turned
// off (FENNIMAR_NO_DESKTOP=1 on Linux), answers "no desktop" to every call
// and touches nothing. Calls may block for a short bound while a desktop is
// asked; they must not overlap on one object.
#ifndef FENNIMAR_PLATFORM_DESKTOPWALLPAPER_H_
#define FENNIMAR_PLATFORM_DESKTOPWALLPAPER_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fennimar::platform {

class DesktopWallpaper {
 public:
  virtual ~DesktopWallpaper() = default;
  // The file the desktop shows now; nullopt when no known desktop runs, the
  // link is off, the desktop does not answer in time or shows no file.
  virtual std::optional<std::u16string> Current() = 0;
  // Asks the desktop to show `path` at once (an empty path: no picture).
  // False when no desktop took it; nothing else happens then.
  virtual bool Show(std::u16string_view path) = 0;
};

// The backend for platforms where the registry value is the desktop's own
// setting (Windows) and no other link is needed: always "no desktop".
std::unique_ptr<DesktopWallpaper> NewNoDesktopWallpaper();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_DESKTOPWALLPAPER_H_
