#include "src/platform/ConfigFolder.h"

#include <cstdlib>

namespace fennimar::platform {

bool UserConfigFolder(std::string* folder) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    *folder = xdg;
  } else if (home != nullptr && home[0] != '\0') {
    *folder = std::string(home) + "/.config";
  } else {
    return false;
  }
  while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
  return true;
}

}  // namespace fennimar::platform
