// Services - the set of platform services the library runs on. The library
// asks CurrentServices() each time; it is the platform's own backend unless a
// test has put substitutes in place with ScopedServices.
#ifndef FENNIMAR_PLATFORM_SERVICES_H_
#define FENNIMAR_PLATFORM_SERVICES_H_

#include "src/platform/DesktopWallpaper.h"
#include "src/platform/DocumentLocks.h"
#include "src/platform/FileSystem.h"
#include "src/platform/IniFile.h"
#include "src/platform/ModulePath.h"
#include "src/platform/Registry.h"
#include "src/platform/Sleeper.h"
#include "src/platform/XmlDom.h"

namespace fennimar::platform {

struct Services {
  FileSystem* files = nullptr;
  Registry* registry = nullptr;
  XmlDom* dom = nullptr;
  ModulePath* module = nullptr;
  Sleeper* sleeper = nullptr;
  IniFile* ini = nullptr;
  DocumentLocks* locks = nullptr;
  DesktopWallpaper* desktop = nullptr;
};

// The platform's own backend, created on first use and never destroyed.
const Services& DefaultServices();
const Services& CurrentServices();

// Puts `services` in place for its lifetime; members left null keep the
// services that were current. Not thread-safe: for tests.
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

#endif  // FENNIMAR_PLATFORM_SERVICES_H_
