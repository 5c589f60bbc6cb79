// Xfce keeps one backdrop per screen, monitor and workspace in the
// "xfce4-desktop" channel of its settings service, xfconfd, which the desktop
// watches: setting the properties changes the picture at once.
#include <gio/gio.h>

#include <algorithm>
#include <vector>

#include "src/platform/desktop/DesktopLinks.h"
#include "src/platform/desktop/SessionBus.h"

namespace fennimar::platform::desktop {
namespace {

constexpr char kService[] = "org.xfce.Xfconf";
constexpr char kObject[] = "/org/xfce/Xfconf";
constexpr char kInterface[] = "org.xfce.Xfconf";
constexpr char kChannel[] = "xfce4-desktop";
constexpr char kBackdrops[] = "/backdrop/screen*/monitor*/workspace*/last-image";

struct Backdrop {
  std::string property;
  std::string image;
};

// Every backdrop picture the channel holds, in property order.
std::vector<Backdrop> Backdrops(SessionBus& bus) {
  std::vector<Backdrop> found;
  GVariant* reply = bus.Call(kService, kObject, kInterface, "GetAllProperties",
                             g_variant_new("(ss)", kChannel, "/backdrop"), "(a{sv})");
  if (reply == nullptr) return found;
  GVariantIter* properties = nullptr;
  g_variant_get(reply, "(a{sv})", &properties);
  const gchar* name = nullptr;
  GVariant* value = nullptr;
  while (g_variant_iter_loop(properties, "{&sv}", &name, &value)) {
    if (!g_pattern_match_simple(kBackdrops, name)) continue;
    if (!g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) continue;
    found.push_back({name, g_variant_get_string(value, nullptr)});
  }
  g_variant_iter_free(properties);
  g_variant_unref(reply);
  std::sort(found.begin(), found.end(),
            [](const Backdrop& a, const Backdrop& b) { return a.property < b.property; });
  return found;
}

class XfconfLink final : public Link {
 public:
  std::optional<std::string> Read() override {
    SessionBus bus;
    const std::vector<Backdrop> backdrops = Backdrops(bus);
    if (backdrops.empty()) return std::nullopt;
    return backdrops.front().image;
  }

  bool Write(const std::string& path) override {
    SessionBus bus;
    const std::vector<Backdrop> backdrops = Backdrops(bus);
    bool written = !backdrops.empty();
    for (const Backdrop& backdrop : backdrops) {
      GVariant* reply = bus.Call(kService, kObject, kInterface, "SetProperty",
                                 g_variant_new("(ssv)", kChannel, backdrop.property.c_str(),
                                               g_variant_new_string(path.c_str())),
                                 "()");
      if (reply == nullptr) return false;  // a desktop that stopped answering
      g_variant_unref(reply);
    }
    return written;
  }
};

}  // namespace

std::unique_ptr<Link> NewXfconfLink() { return std::make_unique<XfconfLink>(); }

}  // namespace fennimar::platform::desktop
