// Win32Api - <windows.h> for the backend's files. windows.h defines
// CreateDirectory as a macro naming CreateDirectoryW, which would rename
// FileSystem::CreateDirectory in every file that sees both; the macro is
// removed, and the backend calls CreateDirectoryW by its own name.
#ifndef FENNIMAR_PLATFORM_WIN32_WIN32API_H_
#define FENNIMAR_PLATFORM_WIN32_WIN32API_H_

#include <windows.h>

#undef CreateDirectory

#endif  // FENNIMAR_PLATFORM_WIN32_WIN32API_H_
