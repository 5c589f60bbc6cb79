// SessionBus - a private connection to the session bus for one exchange with
// a desktop, closed again when the object goes. Private, so that the bus
// going away never ends the host process (GIO's shared connection would) and
// nothing stays open between calls. Not for use outside this folder.
#ifndef FENNIMAR_PLATFORM_DESKTOP_SESSIONBUS_H_
#define FENNIMAR_PLATFORM_DESKTOP_SESSIONBUS_H_

#include <gio/gio.h>

namespace fennimar::platform::desktop {

class SessionBus {
 public:
  // Connects to DBUS_SESSION_BUS_ADDRESS, else to the bus socket in
  // XDG_RUNTIME_DIR; never starts a bus.
  SessionBus();
  ~SessionBus();
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  // Calls `method` on a service that already runs (it is not started),
  // waiting at most kBusTimeoutMs. Takes `parameters` if floating. The
  // reply, to be unreferenced, or null when there is no bus, no answer in
  // time or an error. A null `reply_type` takes any reply.
  GVariant* Call(const char* service, const char* object, const char* interface, const char* method,
                 GVariant* parameters, const char* reply_type);

 private:
  GDBusConnection* connection_ = nullptr;
};

}  // namespace fennimar::platform::desktop

#endif  // FENNIMAR_PLATFORM_DESKTOP_SESSIONBUS_H_
