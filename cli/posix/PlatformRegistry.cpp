// The registry on Linux: the library's registry stand-in, the file
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.
#include "cli/RegistryStore.h"
#include "src/platform/posix/PosixBackends.h"

namespace fennimar::cli {
namespace {

class HiveFileRegistry : public PlatformRegistry {
 public:
  HiveFileRegistry()
      : files_(platform::NewPosixFileSystem()),
        registry_(platform::NewHiveRegistry(*files_, &failure_)) {
    InRegistry();  // fails at once when there is no place for the file
  }

  platform::Registry& registry() override { return *registry_; }

  [[noreturn]] void Fail(RegistryStep step, const std::u16string& /*key*/,
                         const Status& status) override {
    FailRegistryFile(step, failure_, status);
  }

 private:
  std::unique_ptr<platform::FileSystem> files_;
  platform::HiveFileFailure failure_;
  std::unique_ptr<platform::Registry> registry_;
};

}  // namespace

std::unique_ptr<PlatformRegistry> OpenPlatformRegistry() {
  return std::make_unique<HiveFileRegistry>();
}

}  // namespace fennimar::cli
