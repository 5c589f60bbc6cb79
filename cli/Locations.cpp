#include "cli/Locations.h"

#include <system_error>

#include "cli/Errors.h"
#include "cli/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::cli {

// Windows, the one platform that spells paths with backslashes, keeps the
// settings in %APPDATA% and the system's registry.
bool HasSystemRegistry() { return std::filesystem::path::preferred_separator == L'\\'; }

const char* ConfigFolderName() { return HasSystemRegistry() ? "%APPDATA%" : "$XDG_CONFIG_HOME"; }

const char* NoConfigFolderText() {
  return HasSystemRegistry() ? "APPDATA does not name a folder"
                             : "neither XDG_CONFIG_HOME nor HOME names a folder";
}

std::filesystem::path FsPath(const std::string& path) { return std::filesystem::u8path(path); }

std::string JoinPath(const std::string& folder, const std::string& name) {
  return (FsPath(folder) / FsPath(name)).u8string();
}

std::string DefaultDocumentPath() {
  const CString path = FennimarLocations::DefaultDocument();
  if (path.IsEmpty()) Fail(Exit::kUsage, std::string(NoConfigFolderText()) + "; give --document");
  return U8(path);
}

std::string DefaultDocumentText() {
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  return ConfigFolderName() + separator + "fennimar" + separator + "Fennimar.xml";
}

std::string FolderOf(const std::string& path) {
  const auto parent = FsPath(path).parent_path();
  return parent.empty() ? "." : parent.u8string();
}

std::string Absolute(const std::string& path) {
  if (path.empty() || FsPath(path).is_absolute()) return path;
  std::error_code error;
  const auto made = std::filesystem::absolute(FsPath(path), error);
  return error ? path : made.lexically_normal().u8string();
}

}  // namespace fennimar::cli
