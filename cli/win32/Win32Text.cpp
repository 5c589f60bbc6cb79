#include "cli/win32/Win32Text.h"

#include <windows.h>

#include "src/common/WideText.h"

namespace fennimar::cli {

std::string SystemErrorText(unsigned long code) {
  wchar_t text[512];
  DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, static_cast<DWORD>(std::size(text)), nullptr);
  // The system's text ends with a line break and often a full stop.
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' ||
                        text[length - 1] == L'.' || text[length - 1] == L' ')) {
    --length;
  }
  const std::string number = "error " + std::to_string(code);
  if (length == 0) return number;
  return Utf8FromWide(std::wstring_view(text, length)) + " (" + number + ")";
}

}  // namespace fennimar::cli
