// The registry on Linux: the library's registry stand-in, the file
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg, whose failures the
// messages describe step by step.
#include <system_error>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/RegistryStore.h"
#include "src/common/Utf.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/standin/registry/HiveRegistry.h"

namespace fennimar::cli {
namespace {

using platform::HiveFileStep;

std::string HivePath() {
  std::u16string path;
  if (!platform::HiveFilePath(&path).ok()) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return Utf16ToUtf8(path);
}

[[noreturn]] void FailToRead(const std::string& path, const Status& read) {
  if (read.code() == Status::Code::kTooLarge) {
    Fail(Exit::kDocument, "the registry file " + path + " is larger than a hive file may be");
  }
  if (read.code() == Status::Code::kCorrupt) {
    Fail(Exit::kDocument, "the registry file " + path + " cannot be parsed: " + read.message());
  }
  Fail(Exit::kDocument, "cannot read the registry file: " + read.message());
}

[[noreturn]] void FailToChange(const std::string& path, HiveFileStep step, const Status& status) {
  switch (step) {
    case HiveFileStep::kFolder:
      Fail(Exit::kWrite, "cannot create the folder " + FolderOf(path) + ": " +
                             std::system_category().message(status.os_error()));
    case HiveFileStep::kLock:
      Fail(Exit::kWrite, "cannot lock the registry file: " + status.message());
    case HiveFileStep::kRead:
      FailToRead(path, status);
    case HiveFileStep::kChange:
    case HiveFileStep::kWrite:
      break;
  }
  if (status.code() == Status::Code::kTooLarge) {
    Fail(Exit::kWrite, "the change would make the registry file " + path + " too large");
  }
  Fail(Exit::kWrite, "cannot write the registry file: " + status.message());
}

class HiveFileRegistry : public PlatformRegistry {
 public:
  HiveFileRegistry()
      : files_(platform::NewPosixFileSystem()),
        registry_(platform::NewHiveRegistry(*files_, &failure_)) {
    HivePath();  // fails at once when there is no place for the file
  }

  platform::Registry& registry() override { return *registry_; }

  // The file routine's own failure says more than the registry's status.
  [[noreturn]] void Fail(RegistryStep step, const std::u16string& /*key*/,
                         const Status& status) override {
    if (failure_.status.ok()) cli::Fail(Exit::kUsage, status.message());  // a key or value name
    const std::string path = Utf16ToUtf8(failure_.path);
    if (step == RegistryStep::kRead) FailToRead(path, failure_.status);
    FailToChange(path, failure_.step, failure_.status);
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
