#include "cli/WatchFolders.h"

#include <system_error>
#include <vector>

#include "cli/Locations.h"
#include "cli/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::cli {
namespace {

std::string LastPart(const std::string& path) { return FsPath(path).filename().u8string(); }

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(FsPath(path), error);
}

void AddFile(const std::string& file, std::map<std::string, FolderInterest>& into) {
  std::string folder = FolderOf(file);
  if (IsFolder(folder)) {
    into[folder].files.insert(LastPart(file));
    return;
  }
  for (;;) {
    const std::string parent = FolderOf(folder);
    if (parent == folder || IsFolder(parent)) {
      into[parent].folders.insert(LastPart(folder));
      return;
    }
    folder = parent;
  }
}

}  // namespace

std::map<std::string, FolderInterest> FoldersToWatch(const WatchTargets& targets) {
  std::vector<std::string> files = targets.files;
  const std::string registry = U8(FennimarLocations::RegistryFile());
  if (!targets.registry_keys.empty() && !registry.empty()) files.push_back(registry);
  std::map<std::string, FolderInterest> folders;
  for (const std::string& file : files) AddFile(file, folders);
  return folders;
}

}  // namespace fennimar::cli
