// The registry on Windows: the library's service on the system's registry
// below HKEY_CURRENT_USER.
#include "cli/RegistryStore.h"
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::cli {
namespace {

class SystemRegistry : public PlatformRegistry {
 public:
  platform::Registry& registry() override { return *registry_; }

  [[noreturn]] void Fail(RegistryStep step, const std::u16string& key,
                         const Status& status) override {
    const auto error = static_cast<DWORD>(status.os_error());
    FailSystemRegistry(step, key, error != 0 ? platform::SystemErrorText(error) : status.message());
  }

 private:
  std::unique_ptr<platform::Registry> registry_ = platform::NewWin32Registry();
};

}  // namespace

std::unique_ptr<PlatformRegistry> OpenPlatformRegistry() {
  return std::make_unique<SystemRegistry>();
}

}  // namespace fennimar::cli
