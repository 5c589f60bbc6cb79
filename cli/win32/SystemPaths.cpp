// How the configuration folder is named on Windows.
#include "cli/Locations.h"

namespace fennimar::cli {

const char* ConfigFolderName() { return "%APPDATA%"; }

const char* NoConfigFolderText() { return "APPDATA does not name a folder"; }

}  // namespace fennimar::cli
