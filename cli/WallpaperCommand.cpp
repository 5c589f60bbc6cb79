// wallpaper: the desktop wallpaper path that the library keeps in the
// registry and gives to the desktop that runs. `wallpaper` shows it,
// `wallpaper set PATH` changes it.
#include <memory>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Readers.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

constexpr std::u16string_view kDesktopKey = u"HKEY_CURRENT_USER\\Control Panel\\Desktop";

void ShowWallpaper(Context& context) {
  Session session(context.options);
  const auto path = TryReadWallpaper(session);
  if (!path) Fail(Exit::kNotFound, WithRc("no wallpaper at " + WallpaperPlace(), RC_SYSTEM_ERROR));
  if (context.options.json) return PrintJson(Json{{"wallpaper", *path}});
  std::cout << *path << '\n';
}

// The library writes the value but never creates its key, which a new
// registry file holds from the start; say so when a registry that lacks it is
// why the write failed.
std::string WhyNotWritten() {
  if (OpenRegistry()->ReadKey(kDesktopKey).FindKey(kDesktopKey) != nullptr) {
    return "cannot write " + WallpaperPlace();
  }
  return "no key HKEY_CURRENT_USER\\Control Panel\\Desktop " + InRegistry() +
         " (a new registry file has it; add it with: fennimar reg add "
         "'HKCU\\Control Panel\\Desktop' WallPaper --data '')";
}

void SetWallpaper(Context& context, const std::string& path) {
  Session session(context.options);
  CString wanted = U16(path);
  const auto code = session.library().SetCurrentBgImage(wanted);
  if (code != RC_SUCCESS) Fail(Exit::kWrite, WithRc(WhyNotWritten(), code));
}

}  // namespace

void AddWallpaperCommand(CLI::App& app, Context& context) {
  const std::string where =
      "Kept in HKEY_CURRENT_USER\\Control Panel\\Desktop\\WallPaper of the registry and, on\n"
      "Linux under GNOME, Cinnamon, MATE, Xfce or KDE Plasma, shown by that desktop\n"
      "(FENNIMAR_NO_DESKTOP=1: the registry only).";
  CLI::App* wallpaper = AddCommand(
      app, context, "wallpaper", "Show the desktop wallpaper path",
      [&context] { ShowWallpaper(context); }, where + "\nJSON: {\"wallpaper\"}");
  auto path = std::make_shared<std::string>();
  CLI::App* set = AddCommand(
      *wallpaper, context, "set", "Change the desktop wallpaper path",
      [&context, path] { SetWallpaper(context, *path); }, where);
  set->add_option("PATH", *path, "The picture")->required();
}

}  // namespace fennimar::cli
