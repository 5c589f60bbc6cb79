// Wiring - which platform services the library runs on, decided in one
// place. Each platform's file (PosixServices.cpp, Win32Services.cpp) makes its
// default set: the operating system's backends and, on POSIX, the portable
// stand-ins on top of them. The interface object and the library's locations
// take their services from WiredServices() once, when they are built or asked,
// and hand them down; no other code reads it.
#ifndef FENNIMAR_PLATFORM_WIRING_WIRING_H_
#define FENNIMAR_PLATFORM_WIRING_WIRING_H_

#include "src/platform/Services.h"

namespace fennimar::platform {

// The platform's own services, made on first use and never destroyed, so that
// none goes while a static object might still use it.
const Services& DefaultServices();

// The services an interface object is built with: DefaultServices(), with a
// test's substitutes in place while a ScopedServices lives.
const Services& WiredServices();

// `base` with the members that `substitutes` sets in their place.
Services Substituted(const Services& substitutes, const Services& base = DefaultServices());

// Puts `services` in place of WiredServices() for its lifetime; members left
// null keep the services that were wired before. Not thread-safe: for tests
// that build interface objects. A test of a part hands that part its
// services instead.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& services);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  const Services* previous_;
  Services current_;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIRING_WIRING_H_
