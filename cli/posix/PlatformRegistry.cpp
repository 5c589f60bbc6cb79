// The registry on Linux: the library's registry stand-in, the file
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.
#include "cli/Errors.h"
#include "cli/RegistryStore.h"
#include "src/common/Utf.h"
#include "src/platform/posix/PosixBackends.h"

namespace fennimar::cli {
namespace {

std::string HivePath() {
  std::u16string path;
  if (!platform::HiveFilePath(&path).ok()) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return Utf16ToUtf8(path);
}

class HiveFileRegistry : public PlatformRegistry {
 public:
  HiveFileRegistry()
      : files_(platform::NewPosixFileSystem()),
        registry_(platform::NewHiveRegistry(*files_, &failure_)) {
    HivePath();  // fails at once when there is no place for the file
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

std::string InRegistry() { return "in " + HivePath(); }

const char* RegistryHelp() {
  return "The registry is kept in $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.";
}

}  // namespace fennimar::cli
