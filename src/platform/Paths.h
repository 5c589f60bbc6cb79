// Paths - the platform's rules for spelling a path: the folder separator
// (the backslash on Windows, the slash on POSIX) and whether a path may begin
// with a drive letter and colon.
#ifndef FENNIMAR_PLATFORM_PATHS_H_
#define FENNIMAR_PLATFORM_PATHS_H_

#include <string>
#include <string_view>

namespace fennimar::platform {

char16_t PathSeparator();
bool PathsHaveDriveLetters();

// The characters of `path` before its last separator; empty when it has none.
std::u16string ParentFolder(std::u16string_view path);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_PATHS_H_
