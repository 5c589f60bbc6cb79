// Win32Paths - Windows spells folders with backslashes and may begin a path
// with a drive letter and colon.
#include "src/platform/Paths.h"

namespace fennimar::platform {

char16_t PathSeparator() { return u'\\'; }
bool PathsHaveDriveLetters() { return true; }

}  // namespace fennimar::platform
