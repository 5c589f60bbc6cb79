// Utf16Bytes - UTF-16 text as files and the registry hold it: two bytes per
// unit, the low byte first (or, for the few files that say so with their
// byte-order mark, the high byte first), whatever the host's byte order.
#ifndef FENNIMAR_COMMON_UTF16BYTES_H_
#define FENNIMAR_COMMON_UTF16BYTES_H_

#include <string>
#include <string_view>

namespace fennimar {

// Appends the units' bytes to `out`.
void AppendLittleEndianBytes(std::u16string_view units, std::string& out);
std::string LittleEndianBytes(std::u16string_view units);

// The units of `bytes`, two bytes each; an odd last byte is dropped.
std::u16string UnitsFromLittleEndian(std::string_view bytes);

// The same with the high byte first.
void AppendBigEndianBytes(std::u16string_view units, std::string& out);
std::u16string UnitsFromBigEndian(std::string_view bytes);

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_UTF16BYTES_H_
