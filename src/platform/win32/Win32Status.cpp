#include "src/platform/win32/Win32Status.h"

#include <string>

#include "src/common/Utf.h"

namespace fennimar::platform {
namespace {

Status::Cause CauseOf(DWORD error) {
  switch (error) {
    case ERROR_WRITE_PROTECT:
      return Status::Cause::kReadOnlyFileSystem;
    case ERROR_ACCESS_DENIED:
      return Status::Cause::kPermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return Status::Cause::kNoSpace;
    default:
      return Status::Cause::kOther;
  }
}

}  // namespace

Status Win32Status(const char* operation, std::u16string_view path, DWORD error) {
  std::string message =
      std::string(operation) + " " + Utf16ToUtf8(path) + ": Windows error " + std::to_string(error);
  const int code = static_cast<int>(error);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return Status::NotFound(std::move(message), code);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Status::Busy(std::move(message), code);
    default:
      return Status::IoError(std::move(message), code).Because(CauseOf(error));
  }
}

Status LastErrorStatus(const char* operation, std::u16string_view path) {
  return Win32Status(operation, path, ::GetLastError());
}

}  // namespace fennimar::platform
