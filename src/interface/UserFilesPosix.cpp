// On POSIX the folders are the registry stand-in's: the XDG configuration
// folder, and the registry file in it.
#include "src/common/Utf.h"
#include "src/interface/UserFiles.h"
#include "src/platform/ConfigFolder.h"
#include "src/platform/standin/registry/HiveFile.h"

namespace fennimar {

std::u16string UserConfigFolder() {
  std::string folder;
  return platform::UserConfigFolder(&folder) ? Utf8ToUtf16(folder) : std::u16string();
}

std::u16string UserRegistryFile() {
  std::u16string path;
  return platform::HiveFilePath(&path).ok() ? path : std::u16string();
}

}  // namespace fennimar
