// The configuration folder on Linux: the library's own rule.
#include "cli/Errors.h"
#include "cli/Locations.h"
#include "src/platform/posix/ConfigFolder.h"

namespace fennimar::cli {

std::string ConfigFolder() {
  std::string folder;
  if (!platform::UserConfigFolder(&folder)) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return folder;
}

const char* ConfigFolderName() { return "$XDG_CONFIG_HOME"; }

}  // namespace fennimar::cli
