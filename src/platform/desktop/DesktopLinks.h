// DesktopLinks - what the GIO desktop link is made of: which desktop runs,
// one link per kind of desktop, and file URIs. Paths are UTF-8 here, as the
// desktops keep them. Not for use outside src/platform/desktop/.
#ifndef FENNIMAR_PLATFORM_DESKTOP_DESKTOPLINKS_H_
#define FENNIMAR_PLATFORM_DESKTOP_DESKTOPLINKS_H_

#include <memory>
#include <optional>
#include <string>

namespace fennimar::platform::desktop {

enum class Desktop { kNone, kGnome, kCinnamon, kMate, kXfce, kPlasma };

// The first desktop named in XDG_CURRENT_DESKTOP (a colon-separated list,
// any case) that the link knows, else the one DESKTOP_SESSION names; kNone
// also when FENNIMAR_NO_DESKTOP turns the link off.
Desktop SessionDesktop();

// One desktop's own wallpaper setting.
class Link {
 public:
  virtual ~Link() = default;
  // The file shown now; nullopt when the desktop does not tell one.
  virtual std::optional<std::string> Read() = 0;
  // Shows `path` (absolute, or "" for no picture); false when it failed.
  virtual bool Write(const std::string& path) = 0;
};

// GSettings of the GNOME family, Cinnamon and MATE; the schema is looked up
// first, so a missing one is a failure, never an abort.
std::unique_ptr<Link> NewGSettingsLink(Desktop desktop);
// Xfce's settings service on the session bus: every backdrop it has.
std::unique_ptr<Link> NewXfconfLink();
// KDE Plasma: set through the shell's scripting call, read from its file.
std::unique_ptr<Link> NewPlasmaLink();

// How long a desktop on the bus may take to answer.
inline constexpr int kBusTimeoutMs = 500;

// "file://" URIs, escaped as RFC 3986 asks; "" stays "". nullopt for a
// relative path or a URI that names no local file.
std::optional<std::string> FileUri(const std::string& path);
std::optional<std::string> FileFromUri(const std::string& uri);

}  // namespace fennimar::platform::desktop

#endif  // FENNIMAR_PLATFORM_DESKTOP_DESKTOPLINKS_H_
