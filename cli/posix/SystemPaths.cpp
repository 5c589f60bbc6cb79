// How the configuration folder is named on Linux.
#include "cli/Locations.h"

namespace fennimar::cli {

const char* ConfigFolderName() { return "$XDG_CONFIG_HOME"; }

const char* NoConfigFolderText() { return "neither XDG_CONFIG_HOME nor HOME names a folder"; }

}  // namespace fennimar::cli
