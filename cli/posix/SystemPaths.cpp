// The configuration folder and the program's folder on Linux.
#include <filesystem>
#include <system_error>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "src/platform/ConfigFolder.h"

namespace fennimar::cli {

std::string ConfigFolder() {
  std::string folder;
  if (!platform::UserConfigFolder(&folder)) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return folder;
}

const char* ConfigFolderName() { return "$XDG_CONFIG_HOME"; }

std::string ExecutableFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  return executable.parent_path().string();
}

}  // namespace fennimar::cli
