#include "src/platform/desktop/SessionBus.h"

#include <cstdlib>
#include <string>

#include "src/platform/desktop/DesktopLinks.h"

namespace fennimar::platform::desktop {
namespace {

// Where the session bus listens; "" when the session has none we can see.
std::string BusAddress() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) {
    return address;
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return "";
  const std::string socket = std::string(runtime) + "/bus";
  if (!g_file_test(socket.c_str(), G_FILE_TEST_EXISTS)) return "";
  gchar* escaped = g_dbus_address_escape_value(socket.c_str());
  std::string address = std::string("unix:path=") + escaped;
  g_free(escaped);
  return address;
}

}  // namespace

SessionBus::SessionBus() {
  const std::string address = BusAddress();
  if (address.empty()) return;
  connection_ = g_dbus_connection_new_for_address_sync(
      address.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      /*observer=*/nullptr, /*cancellable=*/nullptr, /*error=*/nullptr);
}

SessionBus::~SessionBus() {
  if (connection_ == nullptr) return;
  g_dbus_connection_close_sync(connection_, /*cancellable=*/nullptr, /*error=*/nullptr);
  g_object_unref(connection_);
}

GVariant* SessionBus::Call(const char* service, const char* object, const char* interface,
                           const char* method, GVariant* parameters, const char* reply_type) {
  if (connection_ == nullptr) {
    if (parameters != nullptr) g_variant_unref(g_variant_ref_sink(parameters));
    return nullptr;
  }
  return g_dbus_connection_call_sync(connection_, service, object, interface, method, parameters,
                                     reply_type ? G_VARIANT_TYPE(reply_type) : nullptr,
                                     G_DBUS_CALL_FLAGS_NO_AUTO_START, kBusTimeoutMs,
                                     /*cancellable=*/nullptr, /*error=*/nullptr);
}

}  // namespace fennimar::platform::desktop
