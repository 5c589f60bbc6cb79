// KDE Plasma keeps each desktop's wallpaper in its shell's configuration
// file, and changes it only through the shell: a script that the shell runs
// (its D-Bus scripting call) sets the picture plugin's "Image" on every
// desktop, which the shell then shows and saves to that file.
#include <gio/gio.h>

#include <cstdlib>
#include <string_view>

#include "src/platform/desktop/DesktopLinks.h"
#include "src/platform/desktop/SessionBus.h"

namespace fennimar::platform::desktop {
namespace {

constexpr char kService[] = "org.kde.plasmashell";
constexpr char kObject[] = "/PlasmaShell";
constexpr char kInterface[] = "org.kde.PlasmaShell";
constexpr char kConfigName[] = "plasma-org.kde.plasma.desktop-appletsrc";
// The picture plugin's settings group of one desktop ("containment").
constexpr std::string_view kImageGroupEnd = "][Wallpaper][org.kde.image][General]";
constexpr std::string_view kImageKey = "Image=";

// Read at each call, not through GLib, which keeps the first answer.
std::string ConfigPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && *config == '/') return std::string(config) + "/" + kConfigName;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/" + kConfigName;
}

// A JavaScript string literal of `text` (a URI: ASCII without controls).
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Script(const std::string& uri) {
  return "var all = desktops();\n"
         "for (var i = 0; i < all.length; i++) {\n"
         "  var d = all[i];\n"
         "  d.wallpaperPlugin = \"org.kde.image\";\n"
         "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
         "  d.writeConfig(\"Image\", " +
         Quoted(uri) + ");\n}\n";
}

// The first desktop's picture in the file's text: a URI or a plain path.
std::optional<std::string> ImageIn(std::string_view text) {
  bool in_group = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '[') {
      in_group = line.size() > kImageGroupEnd.size() &&
                 line.substr(line.size() - kImageGroupEnd.size()) == kImageGroupEnd;
    } else if (in_group && line.substr(0, kImageKey.size()) == kImageKey) {
      const std::string value(line.substr(kImageKey.size()));
      if (value.rfind("file://", 0) == 0) return FileFromUri(value);
      if (!value.empty() && value.front() == '/') return value;
    }
  }
  return std::nullopt;
}

class PlasmaLink final : public Link {
 public:
  std::optional<std::string> Read() override {
    gchar* text = nullptr;
    gsize size = 0;
    if (!g_file_get_contents(ConfigPath().c_str(), &text, &size, /*error=*/nullptr)) {
      return std::nullopt;
    }
    std::optional<std::string> image = ImageIn(std::string_view(text, size));
    g_free(text);
    return image;
  }

  bool Write(const std::string& path) override {
    const std::optional<std::string> uri = FileUri(path);
    if (!uri) return false;
    SessionBus bus;
    GVariant* reply = bus.Call(kService, kObject, kInterface, "evaluateScript",
                               g_variant_new("(s)", Script(*uri).c_str()), /*reply_type=*/nullptr);
    if (reply == nullptr) return false;
    g_variant_unref(reply);
    return true;
  }
};

}  // namespace

std::unique_ptr<Link> NewPlasmaLink() { return std::make_unique<PlasmaLink>(); }

}  // namespace fennimar::platform::desktop
