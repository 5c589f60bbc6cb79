// WideText - UTF-8 text of the command to and from the wide strings of the
// Windows API (UTF-16 in wchar_t).
#ifndef FENNIMAR_CLI_WIN32_WIDETEXT_H_
#define FENNIMAR_CLI_WIN32_WIDETEXT_H_

#include <string>
#include <string_view>

#include "src/common/Utf.h"

namespace fennimar::cli {

inline std::wstring ToWide(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string FromWide(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

inline std::wstring ToWide(std::u16string_view units) {
  return std::wstring(units.begin(), units.end());
}

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_WIN32_WIDETEXT_H_
