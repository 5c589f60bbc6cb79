// File URIs through GLib, which escapes spaces, "#", "%" and non-ASCII bytes
// and undoes them again.
#include <gio/gio.h>

#include "src/platform/desktop/DesktopLinks.h"

namespace fennimar::platform::desktop {
namespace {

std::optional<std::string> Taken(gchar* text) {
  if (text == nullptr) return std::nullopt;
  std::string copy(text);
  g_free(text);
  return copy;
}

}  // namespace

std::optional<std::string> FileUri(const std::string& path) {
  if (path.empty()) return std::string();
  return Taken(g_filename_to_uri(path.c_str(), /*hostname=*/nullptr, /*error=*/nullptr));
}

std::optional<std::string> FileFromUri(const std::string& uri) {
  if (uri.empty()) return std::string();
  return Taken(g_filename_from_uri(uri.c_str(), /*hostname=*/nullptr, /*error=*/nullptr));
}

}  // namespace fennimar::platform::desktop
