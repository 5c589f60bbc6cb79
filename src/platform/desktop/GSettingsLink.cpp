// The wallpaper in GSettings, as the GNOME family, Cinnamon and MATE keep it.
// GLib aborts the process when asked for a schema that is not installed, so
// the schema is looked up in the installed ones before it is opened.
#include <gio/gio.h>

#include <utility>
#include <vector>

#include "src/platform/desktop/DesktopLinks.h"

namespace fennimar::platform::desktop {
namespace {

struct Place {
  const char* schema;
  std::vector<const char*> keys;  // the first one is read
  bool uri;                       // the keys hold URIs, not paths
};

Place PlaceOf(Desktop desktop) {
  switch (desktop) {
    case Desktop::kCinnamon:
      return {"org.cinnamon.desktop.background", {"picture-uri"}, true};
    case Desktop::kMate:
      return {"org.mate.background", {"picture-filename"}, false};
    default:  // GNOME shows the dark key's picture in dark style
      return {"org.gnome.desktop.background", {"picture-uri", "picture-uri-dark"}, true};
  }
}

class GSettingsLink final : public Link {
 public:
  explicit GSettingsLink(Place place) : place_(std::move(place)) {}

  std::optional<std::string> Read() override {
    GSettingsSchema* schema = Lookup();
    if (schema == nullptr) return std::nullopt;
    GSettings* settings = g_settings_new_full(schema, /*backend=*/nullptr, /*path=*/nullptr);
    gchar* value = g_settings_get_string(settings, place_.keys.front());
    std::string text(value);
    g_free(value);
    g_object_unref(settings);
    g_settings_schema_unref(schema);
    return place_.uri ? FileFromUri(text) : text;
  }

  bool Write(const std::string& path) override {
    const std::optional<std::string> value = place_.uri ? FileUri(path) : path;
    GSettingsSchema* schema = value ? Lookup() : nullptr;
    if (schema == nullptr) return false;
    GSettings* settings = g_settings_new_full(schema, /*backend=*/nullptr, /*path=*/nullptr);
    bool written = true;
    for (const char* key : place_.keys) {
      // Older schemas lack the dark key; the others must take the value.
      if (!g_settings_schema_has_key(schema, key)) continue;
      written = g_settings_set_string(settings, key, value->c_str()) && written;
    }
    g_settings_sync();  // the change reaches the settings store before we return
    g_object_unref(settings);
    g_settings_schema_unref(schema);
    return written;
  }

 private:
  // The installed schema with its first key, or null.
  GSettingsSchema* Lookup() const {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, place_.schema, /*recursive=*/TRUE);
    if (schema != nullptr && !g_settings_schema_has_key(schema, place_.keys.front())) {
      g_settings_schema_unref(schema);
      return nullptr;
    }
    return schema;
  }

  Place place_;
};

}  // namespace

std::unique_ptr<Link> NewGSettingsLink(Desktop desktop) {
  return std::make_unique<GSettingsLink>(PlaceOf(desktop));
}

}  // namespace fennimar::platform::desktop
