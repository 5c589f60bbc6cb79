// WatchFolders - which folders `fennimar watch` asks the system to watch, the
// same on every platform: each target file through its folder, a missing
// folder through the nearest existing folder above it, and the registry
// file where the registry is one (FennimarLocations::RegistryFile()).
#ifndef FENNIMAR_CLI_WATCHFOLDERS_H_
#define FENNIMAR_CLI_WATCHFOLDERS_H_

#include <map>
#include <set>
#include <string>

#include "cli/ChangeNotifier.h"

namespace fennimar::cli {

// The names in one existing folder whose change may change a target.
struct FolderInterest {
  std::set<std::string> files;    // target files in this folder
  std::set<std::string> folders;  // missing folders on the way down to a target
};

// Existing folder -> what matters in it, as the folders are now; a folder
// that has no existing folder above it is given as it is, for the system to
// refuse.
std::map<std::string, FolderInterest> FoldersToWatch(const WatchTargets& targets);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_WATCHFOLDERS_H_
