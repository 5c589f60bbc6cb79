// The registry as the library gives it for this platform (UserRegistry.h),
// with the command's messages: on Linux from the registry file's failure
// record, on Windows from the system's text for the error.
#include "cli/Locations.h"
#include "cli/RegistryStore.h"
#include "src/platform/wiring/UserRegistry.h"

namespace fennimar::cli {
namespace {

class LibraryRegistry : public PlatformRegistry {
 public:
  LibraryRegistry() : registry_(platform::NewUserRegistry(&failure_)) {
    InRegistry();  // fails at once when there is no place for the registry file
  }

  platform::Registry& registry() override { return *registry_; }

  [[noreturn]] void Fail(RegistryStep step, const std::u16string& key,
                         const Status& status) override {
    if (HasSystemRegistry()) FailSystemRegistry(step, key, platform::RegistryErrorText(status));
    FailRegistryFile(step, failure_, status);
  }

 private:
  platform::HiveFileFailure failure_;
  std::unique_ptr<platform::Registry> registry_;
};

}  // namespace

std::unique_ptr<PlatformRegistry> OpenPlatformRegistry() {
  return std::make_unique<LibraryRegistry>();
}

}  // namespace fennimar::cli
