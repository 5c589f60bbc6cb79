#include "cli/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cli/Errors.h"
#include "src/platform/posix/ConfigFolder.h"

namespace fennimar::cli {

std::string ConfigFolder() {
  std::string folder;
  if (!platform::UserConfigFolder(&folder)) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return folder;
}

std::string DefaultDocumentPath() { return ConfigFolder() + "/fennimar/Fennimar.xml"; }

std::string HivePath() { return ConfigFolder() + "/fennimar/HKEY_CURRENT_USER.reg"; }

std::string ExecutableFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  return executable.parent_path().string();
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Absolute(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::error_code error;
  const auto made = std::filesystem::absolute(path, error);
  return error ? path : made.lexically_normal().string();
}

}  // namespace fennimar::cli
