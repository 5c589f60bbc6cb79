// The desktop link, the library's side: answers "no desktop" without loading
// anything while no known desktop runs (or FENNIMAR_NO_DESKTOP turns the link
// off), and otherwise hands each call to the GIO link in its plugin, loaded
// at the first such call. A missing plugin behaves as no known desktop.
#include <memory>

#include "src/platform/Plugins.h"
#include "src/platform/desktop/DesktopLinks.h"
#include "src/platform/desktop/DesktopPlugin.h"
#include "src/platform/desktop/GioDesktop.h"

namespace fennimar::platform {
namespace {

class PluginDesktopWallpaper final : public DesktopWallpaper {
 public:
  std::optional<std::u16string> Current() override {
    DesktopWallpaper* link = Link();
    return link ? link->Current() : std::nullopt;
  }

  bool Show(std::u16string_view path) override {
    DesktopWallpaper* link = Link();
    return link && link->Show(path);
  }

 private:
  // The plugin's link while a known desktop runs; null otherwise. One for
  // the process (it keeps no state between calls), made at the first call
  // that needs it and, like the plugin, kept until the process ends.
  static DesktopWallpaper* Link() {
    if (desktop::SessionDesktop() == desktop::Desktop::kNone) return nullptr;
    static DesktopWallpaper* const link = Load();
    return link;
  }

  static DesktopWallpaper* Load() {
    const auto entry = reinterpret_cast<desktop::NewDesktopWallpaperEntry>(
        PluginEntry(desktop::kPluginFile, desktop::kPluginEntry));
    return entry ? entry(desktop::kPluginInterface) : nullptr;
  }
};

}  // namespace

std::unique_ptr<DesktopWallpaper> NewGioDesktopWallpaper() {
  return std::make_unique<PluginDesktopWallpaper>();
}

}  // namespace fennimar::platform
