// The registry on Windows: the library's service on the system's registry
// below HKEY_CURRENT_USER.
#include "cli/Errors.h"
#include "cli/RegistryStore.h"
#include "src/common/Utf.h"
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::cli {
namespace {

// What the message says the command could not do.
std::string Doing(RegistryStep step, const std::u16string& key) {
  switch (step) {
    case RegistryStep::kCreate:
      return "cannot create " + Utf16ToUtf8(key);
    case RegistryStep::kSet:
      return "cannot set the value";
    case RegistryStep::kDeleteValue:
      return "cannot delete the value";
    case RegistryStep::kDeleteKey:
      return "cannot delete " + Utf16ToUtf8(key);
    case RegistryStep::kRead:
    case RegistryStep::kOpen:
      break;
  }
  return "cannot open " + Utf16ToUtf8(key);
}

class SystemRegistry : public PlatformRegistry {
 public:
  platform::Registry& registry() override { return *registry_; }

  [[noreturn]] void Fail(RegistryStep step, const std::u16string& key,
                         const Status& status) override {
    const std::string text = status.os_error() != 0
                                 ? platform::SystemErrorText(static_cast<DWORD>(status.os_error()))
                                 : status.message();
    cli::Fail(step == RegistryStep::kRead ? Exit::kDocument : Exit::kWrite,
              Doing(step, key) + ": " + text);
  }

 private:
  std::unique_ptr<platform::Registry> registry_ = platform::NewWin32Registry();
};

}  // namespace

std::unique_ptr<PlatformRegistry> OpenPlatformRegistry() {
  return std::make_unique<SystemRegistry>();
}

std::string InRegistry() { return "in the registry"; }

const char* RegistryHelp() { return "The registry is the system's registry."; }

}  // namespace fennimar::cli
