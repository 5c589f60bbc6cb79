// WideText - UTF-16 text as the wide strings the W functions take. On
// Windows wchar_t and char16_t are both 16-bit UTF-16 units, so the
// conversion is a copy (or a reinterpretation) and never changes a unit.
#ifndef FENNIMAR_PLATFORM_WIN32_WIDETEXT_H_
#define FENNIMAR_PLATFORM_WIN32_WIDETEXT_H_

#include <string>
#include <string_view>

namespace fennimar::platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be a UTF-16 unit");

// A NUL-terminated copy for a W function.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(std::wstring_view text) { return FromWide(text.data(), text.size()); }

// True when `text` holds a NUL unit, which a W function would take for its end.
inline bool HasNul(std::u16string_view text) {
  return text.find(u'\0') != std::u16string_view::npos;
}

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_WIDETEXT_H_
