// Numbers - the two conversions between integers and the decimal text the
// settings document stores, shared by every section so they read alike.
#ifndef FENNIMAR_COMMON_NUMBERS_H_
#define FENNIMAR_COMMON_NUMBERS_H_

#include <string>
#include <string_view>

namespace fennimar {

// Reads text as the Windows runtime's _wtoi does: leading white space skipped
// (Unicode spaces such as U+00A0 and U+3000 too), an optional ASCII sign,
// decimal digits up to the first other character (the digits of other
// scripts too, such as full-width U+FF11); no digits give 0. A value beyond
// the int range saturates to INT_MAX or INT_MIN.
int ParseDecimal(std::u16string_view text);
// The same rule on UTF-8 text, which gives what the text converted to UTF-16
// gives.
int ParseDecimal(std::string_view text);

// Appends `value` as "%d" writes it: a minus sign for negative values, no
// leading zeros, no grouping.
void AppendDecimal(int value, std::u16string& out);
std::u16string FormatDecimal(int value);

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_NUMBERS_H_
