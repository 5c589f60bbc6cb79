// SystemParts - what the interface object's calls outside the settings
// document work on: the platform services the object was built with, and the
// registry controller on their registry. The password file, the hardware flag
// and the wallpaper are handed these services at each call. Objects that
// share by assignment share these parts.
#ifndef FENNIMAR_INTERFACE_SYSTEMPARTS_H_
#define FENNIMAR_INTERFACE_SYSTEMPARTS_H_

#include "src/platform/Services.h"
#include "src/system/RegistryController.h"

namespace fennimar {

class SystemParts {
 public:
  explicit SystemParts(const platform::Services& services)
      : services_(services), registry_(*services.registry) {}
  SystemParts(const SystemParts&) = delete;
  SystemParts& operator=(const SystemParts&) = delete;

  const platform::Services& services() const { return services_; }
  RegistryController& registry() { return registry_; }

 private:
  const platform::Services services_;
  RegistryController registry_;
};

}  // namespace fennimar

#endif  // FENNIMAR_INTERFACE_SYSTEMPARTS_H_
