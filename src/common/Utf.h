// Utf - conversion between UTF-8 and UTF-16. Ill-formed input never causes
// undefined behaviour: each bad sequence or unpaired surrogate becomes U+FFFD.
#ifndef FENNIMAR_COMMON_UTF_H_
#define FENNIMAR_COMMON_UTF_H_

#include <string>
#include <string_view>

namespace fennimar {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// Appends to `out` (no allocation beyond growing it).
void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out);
void AppendUtf16AsUtf8(std::u16string_view utf16, std::string& out);
// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_UTF_H_
