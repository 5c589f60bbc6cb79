#include "src/platform/win32/Win32Status.h"

#include <iterator>
#include <string>

#include "src/common/Utf.h"
#include "src/common/WideText.h"

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

std::string SystemErrorText(DWORD error) {
  wchar_t text[512];
  DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, text, static_cast<DWORD>(std::size(text)), nullptr);
  // The system's text ends with a line break and often a full stop.
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' ||
                        text[length - 1] == L'.' || text[length - 1] == L' ')) {
    --length;
  }
  const std::string number = "error " + std::to_string(error);
  if (length == 0) return number;
  return Utf8FromWide(std::wstring_view(text, length)) + " (" + number + ")";
}

}  // namespace fennimar::platform
