// WideText - text as the wide strings of the Windows API (UTF-16 units in
// wchar_t). The UTF-16 conversions copy unit for unit and never change one.
#ifndef FENNIMAR_COMMON_WIDETEXT_H_
#define FENNIMAR_COMMON_WIDETEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "src/common/Utf.h"

namespace fennimar {

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be a UTF-16 unit");
#endif

// A NUL-terminated copy for a W function.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(text, text + length);
}

inline std::u16string FromWide(std::wstring_view text) {
  return FromWide(text.data(), text.size());
}

inline std::wstring WideFromUtf8(std::string_view utf8) { return Wide(Utf8ToUtf16(utf8)); }

inline std::string Utf8FromWide(std::wstring_view wide) { return Utf16ToUtf8(FromWide(wide)); }

// True when `text` holds a NUL unit, which a W function would take for its end.
inline bool HasNul(std::u16string_view text) {
  return text.find(u'\0') != std::u16string_view::npos;
}

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_WIDETEXT_H_
