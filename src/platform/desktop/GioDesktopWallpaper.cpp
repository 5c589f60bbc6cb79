// The desktop link, the plugin's side: finds the session's desktop at each
// call and hands the request to that desktop's link. With no known desktop
// GLib is not touched, so a server or a test run behaves as if the link did
// not exist.
#include <gio/gio.h>

#include "src/common/Utf.h"
#include "src/platform/desktop/DesktopLinks.h"
#include "src/platform/desktop/DesktopPlugin.h"

namespace fennimar::platform {
namespace {

using desktop::Desktop;

std::unique_ptr<desktop::Link> LinkFor(Desktop running) {
  switch (running) {
    case Desktop::kNone:
      return nullptr;
    case Desktop::kXfce:
      return desktop::NewXfconfLink();
    case Desktop::kPlasma:
      return desktop::NewPlasmaLink();
    default:
      return desktop::NewGSettingsLink(running);
  }
}

// Desktops need absolute paths; a relative one is taken from the current
// folder, as a program that opened the file would.
std::string Absolute(const std::string& path) {
  if (path.empty() || g_path_is_absolute(path.c_str())) return path;
  gchar* absolute = g_canonicalize_filename(path.c_str(), /*relative_to=*/nullptr);
  std::string copy(absolute);
  g_free(absolute);
  return copy;
}

class GioDesktopWallpaper final : public DesktopWallpaper {
 public:
  std::optional<std::u16string> Current() override {
    const std::unique_ptr<desktop::Link> link = LinkFor(desktop::SessionDesktop());
    const std::optional<std::string> path = link ? link->Read() : std::nullopt;
    if (!path || path->empty()) return std::nullopt;
    return Utf8ToUtf16(*path);
  }

  bool Show(std::u16string_view path) override {
    const std::unique_ptr<desktop::Link> link = LinkFor(desktop::SessionDesktop());
    return link && link->Write(Absolute(Utf16ToUtf8(path)));
  }
};

}  // namespace
}  // namespace fennimar::platform

// The plugin's one exported function (see DesktopPlugin.h).
extern "C" __attribute__((visibility("default"))) fennimar::platform::DesktopWallpaper*
FennimarNewDesktopWallpaper(int interface) {
  using fennimar::platform::desktop::kPluginInterface;
  if (interface != kPluginInterface) return nullptr;
  return new fennimar::platform::GioDesktopWallpaper;
}
