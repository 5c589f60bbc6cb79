// The desktop link against the desktops' own services: GSettings on its
// keyfile backend with the installed schemas, the real xfconfd, and for
// Plasma, whose shell needs a screen, a stand-in answering its scripting
// call. Each test runs in its own process on a private session bus
// (dbus-run-session, see CMakeLists.txt).
#include "src/platform/desktop/GioDesktop.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "src/common/Names.h"
#include "src/platform/wiring/Wiring.h"
#include "src/system/Wallpaper.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

using testing::U16;
using testing::U8;

// A private session bus connection of the test's own.
GDBusConnection* Connect() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  return g_dbus_connection_new_for_address_sync(
      address,
      GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                           G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, nullptr);
}

GVariant* Call(GDBusConnection* bus, const char* service, const char* object, const char* method,
               GVariant* parameters) {
  return g_dbus_connection_call_sync(bus, service, object, service, method, parameters, nullptr,
                                     G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
}

// A service owning `name` that hands each call to `answer`, which returns
// the reply, or null to leave the call unanswered for ever.
class BusStandIn {
 public:
  using Answer = std::function<GVariant*(const char* method, GVariant* parameters)>;
  BusStandIn(const char* name, const char* object, const char* interface_xml, Answer answer)
      : answer_(std::move(answer)), context_(g_main_context_new()) {
    g_main_context_push_thread_default(context_);  // calls are dispatched there
    bus_ = Connect();
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(interface_xml, nullptr);
    static const GDBusInterfaceVTable vtable = {&BusStandIn::OnCall, nullptr, nullptr, {}};
    registration_ = g_dbus_connection_register_object(bus_, object, node->interfaces[0], &vtable,
                                                      this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    g_variant_unref(g_dbus_connection_call_sync(
        bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "RequestName", g_variant_new("(su)", name, 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
        nullptr, nullptr));
    g_main_context_pop_thread_default(context_);
    loop_ = g_main_loop_new(context_, FALSE);
    thread_ = std::thread([this] { g_main_loop_run(loop_); });
  }
  ~BusStandIn() {
    g_main_loop_quit(loop_);
    thread_.join();
    g_dbus_connection_unregister_object(bus_, registration_);
    g_dbus_connection_close_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
    for (GDBusMethodInvocation* call : unanswered_) g_object_unref(call);
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
  }
  int calls = 0;

 private:
  static void OnCall(GDBusConnection*, const char*, const char*, const char*, const char* method,
                     GVariant* parameters, GDBusMethodInvocation* call, gpointer self) {
    auto* stand_in = static_cast<BusStandIn*>(self);
    ++stand_in->calls;
    if (GVariant* reply = stand_in->answer_(method, parameters)) {
      g_dbus_method_invocation_return_value(call, reply);
    } else {
      stand_in->unanswered_.push_back(G_DBUS_METHOD_INVOCATION(g_object_ref(call)));
    }
  }

  Answer answer_;
  GMainContext* context_;
  GMainLoop* loop_ = nullptr;
  GDBusConnection* bus_ = nullptr;
  unsigned registration_ = 0;
  std::thread thread_;
  std::vector<GDBusMethodInvocation*> unanswered_;
};

constexpr char kPlasmaXml[] =
    "<node><interface name='org.kde.PlasmaShell'><method name='evaluateScript'>"
    "<arg type='s' direction='in'/></method></interface></node>";
constexpr char kXfconfXml[] =
    "<node><interface name='org.xfce.Xfconf'><method name='GetAllProperties'>"
    "<arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='a{sv}' direction='out'/></method></interface></node>";

class GioDesktopTest : public testing::IsolatedTest {
 protected:
  GioDesktopTest() {
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    platform::Registry& registry = *platform::DefaultServices().registry;
    platform::RegKey key = platform::kNullKey;
    EXPECT_TRUE(registry.CreateKey(platform::kHkeyCurrentUser, names::kDesktopKey, &key).ok());
    EXPECT_TRUE(registry.CloseKey(key).ok());
  }
  // The bus tests need the private bus that ctest gives them.
  void SetUp() override {
    if (std::getenv("FENNIMAR_TEST_PRIVATE_BUS") == nullptr) GTEST_SKIP() << "needs ctest";
  }
  void Desktop(const char* current, const char* session = "") {
    setenv("XDG_CURRENT_DESKTOP", current, 1);
    setenv("DESKTOP_SESSION", session, 1);
  }
  std::string File(const std::string& name) { return (root() / name).string(); }
  _Fennimar_ReturnCode_ Set(const std::string& path) {
    return SetWallpaper(controller_, CString(U16(path)), desktop_.get());
  }
  // The path the library answers, with or without the desktop link.
  std::string Get(bool with_desktop = true) {
    CString path(u"(failed)");
    (void)GetWallpaper(controller_, path, with_desktop ? desktop_.get() : nullptr);
    return U8(path.GetString());
  }
  static std::string Setting(const char* schema, const char* key) {
    GSettings* settings = g_settings_new(schema);
    gchar* value = g_settings_get_string(settings, key);
    std::string copy(value);
    g_free(value);
    g_object_unref(settings);
    return copy;
  }

  RegistryController controller_{*platform::DefaultServices().registry};
  std::unique_ptr<platform::DesktopWallpaper> desktop_ = platform::NewGioDesktopWallpaper();
};

TEST_F(GioDesktopTest, GSettingsDesktopsShowThePathAndTheRegistryKeepsIt) {
  struct Row {
    const char *current, *session, *schema, *key;
    bool uri;  // the key holds the file's URI, else its path
  } const rows[] = {
      {"ubuntu:GNOME", "", "org.gnome.desktop.background", "picture-uri", true},
      {"Budgie:GNOME", "", "org.gnome.desktop.background", "picture-uri-dark", true},
      {"Pantheon", "", "org.gnome.desktop.background", "picture-uri", true},
      {"X-Cinnamon", "", "org.cinnamon.desktop.background", "picture-uri", true},
      {"Unknown", "mate", "org.mate.background", "picture-filename", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.current);
    Desktop(row.current, row.session);
    const std::string path = File(std::string(row.current) + " sea jpg.jpg");
    ASSERT_EQ(Set(path), RC_SUCCESS);
    const std::string stored =
        row.uri ? "file://" + File(std::string(row.current) + "%20sea%20jpg.jpg") : path;
    EXPECT_EQ(Setting(row.schema, row.key), stored);
    EXPECT_EQ(Get(), path);
    EXPECT_EQ(Get(/*with_desktop=*/false), path);
  }
  // Paths become URIs and back, escaped where URIs need it.
  Desktop("GNOME");
  for (const auto& [name, escaped] : std::initializer_list<std::pair<const char*, const char*>>{
           {"a b.jpg", "a%20b.jpg"},
           {"Straße ü.png", "Stra%C3%9Fe%20%C3%BC.png"},
           {"#1.jpg", "%231.jpg"},
           {"100%.jpg", "100%25.jpg"}}) {
    ASSERT_EQ(Set(File(name)), RC_SUCCESS);
    EXPECT_EQ(Setting("org.gnome.desktop.background", "picture-uri"), "file://" + File(escaped));
    EXPECT_EQ(Get(), File(name));
  }
}

TEST_F(GioDesktopTest, XfceShowsThePathOnEveryBackdropOfItsSettingsService) {
  GDBusConnection* bus = Connect();
  GVariantBuilder environment;
  g_variant_builder_init(&environment, G_VARIANT_TYPE("a{ss}"));
  g_variant_builder_add(&environment, "{ss}", "XDG_CONFIG_HOME", std::getenv("XDG_CONFIG_HOME"));
  const char* const bus_object[] = {"org.freedesktop.DBus", "/org/freedesktop/DBus"};
  g_variant_unref(Call(bus, bus_object[0], bus_object[1], "UpdateActivationEnvironment",
                       g_variant_new("(a{ss})", &environment)));
  GVariant* started = Call(bus, bus_object[0], bus_object[1], "StartServiceByName",
                           g_variant_new("(su)", "org.xfce.Xfconf", 0u));
  ASSERT_NE(started, nullptr) << "xfconfd";
  g_variant_unref(started);
  const char* const backdrops[] = {"/backdrop/screen0/monitorVirtual1/workspace0/last-image",
                                   "/backdrop/screen0/monitorHDMI-1/workspace3/last-image"};
  for (const char* property : backdrops) {
    g_variant_unref(
        Call(bus, "org.xfce.Xfconf", "/org/xfce/Xfconf", "SetProperty",
             g_variant_new("(ssv)", "xfce4-desktop", property, g_variant_new_string("/old.jpg"))));
  }
  Desktop("XFCE");
  const std::string path = File("sea #2.jpg");
  ASSERT_EQ(Set(path), RC_SUCCESS);
  for (const char* property : backdrops) {
    GVariant* reply = Call(bus, "org.xfce.Xfconf", "/org/xfce/Xfconf", "GetProperty",
                           g_variant_new("(ss)", "xfce4-desktop", property));
    ASSERT_NE(reply, nullptr);
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    EXPECT_STREQ(g_variant_get_string(value, nullptr), path.c_str()) << property;
    g_variant_unref(value);
    g_variant_unref(reply);
  }
  EXPECT_EQ(Get(), path);
  g_object_unref(bus);
}

TEST_F(GioDesktopTest, PlasmaIsSetThroughItsShellAndReadFromItsFile) {
  // Like the shell, the stand-in saves the picture the script sets.
  const std::string config = (root() / "config/plasma-org.kde.plasma.desktop-appletsrc").string();
  BusStandIn shell("org.kde.plasmashell", "/PlasmaShell", kPlasmaXml,
                   [&config](const char*, GVariant* parameters) {
                     const char* text = nullptr;
                     g_variant_get(parameters, "(&s)", &text);
                     const std::string script = text;
                     const std::size_t from = script.find("\"Image\", \"") + 10;
                     testing::WriteFileOrDie(
                         config, "[Containments][1][Wallpaper][org.kde.image][General]\nImage=" +
                                     script.substr(from, script.find('"', from) - from) + "\n");
                     return g_variant_new("()");
                   });
  Desktop("KDE");
  const std::string path = File("sea jpg #3 100%.jpg");
  ASSERT_EQ(Set(path), RC_SUCCESS);
  EXPECT_NE(testing::ReadFileOrDie(config).find("Image=file://"), std::string::npos);
  EXPECT_EQ(Get(), path);
  EXPECT_EQ(shell.calls, 1);
}

TEST_F(GioDesktopTest, ADesktopThatDoesNotAnswerOrIsTurnedOffLeavesTheRegistryAlone) {
  testing::WriteFileOrDie(root() / "config/plasma-org.kde.plasma.desktop-appletsrc",
                          "[Containments][7][Wallpaper][org.kde.image][General]\n"
                          "Image=file:///shown.jpg\n");
  const auto never = [](const char*, GVariant*) -> GVariant* { return nullptr; };
  BusStandIn shell("org.kde.plasmashell", "/PlasmaShell", kPlasmaXml, never);
  BusStandIn xfconf("org.xfce.Xfconf", "/org/xfce/Xfconf", kXfconfXml, never);
  Desktop("KDE");
  ASSERT_EQ(Set(File("a.jpg")), RC_SUCCESS) << "after the bound";
  EXPECT_EQ(Get(/*with_desktop=*/false), File("a.jpg"));
  Desktop("XFCE");
  EXPECT_EQ(Get(), File("a.jpg")) << "after the bound";

  Desktop("KDE");
  setenv("FENNIMAR_NO_DESKTOP", "1", 1);
  ASSERT_EQ(Set(File("b.jpg")), RC_SUCCESS);
  EXPECT_EQ(Get(), File("b.jpg")) << "not the shell's /shown.jpg";
  EXPECT_EQ(shell.calls, 1);
}

}  // namespace
}  // namespace fennimar
