// Win32Status - a Windows error code as a Status whose message names the
// operation and the path. A missing file or folder (or key, or value) is
// kNotFound, a file held open without sharing is kBusy, anything else
// kIoError; os_error keeps the Windows error code.
#ifndef FENNIMAR_PLATFORM_WIN32_WIN32STATUS_H_
#define FENNIMAR_PLATFORM_WIN32_WIN32STATUS_H_

#include <string>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/win32/Win32Api.h"

namespace fennimar::platform {

Status Win32Status(const char* operation, std::u16string_view path, DWORD error);
// The same with GetLastError().
Status LastErrorStatus(const char* operation, std::u16string_view path);

// The system's text for a Windows error code, for people: "Access is denied
// (error 5)"; "error N" when the system has no text.
std::string SystemErrorText(DWORD error);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_WIN32STATUS_H_
