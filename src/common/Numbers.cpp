#include "src/common/Numbers.h"

#include <climits>
#include <cstdint>
#include <type_traits>

namespace fennimar {
namespace {

// White space as the C runtime's iswspace sees it in the "C" locale.
bool IsSpace(char32_t unit) { return unit == U' ' || (unit >= U'\t' && unit <= U'\r'); }

bool IsDigit(char32_t unit) { return unit >= U'0' && unit <= U'9'; }

// Units are compared as unsigned values, so a UTF-8 byte from 0x80 up is
// never taken for white space, a sign or a digit.
template <typename Unit>
int ParseUnits(std::basic_string_view<Unit> text) {
  using Unsigned = std::make_unsigned_t<Unit>;
  const auto at = [&text](std::size_t i) { return static_cast<char32_t>(Unsigned(text[i])); };
  std::size_t i = 0;
  while (i < text.size() && IsSpace(at(i))) ++i;
  bool negative = false;
  if (i < text.size() && (at(i) == U'+' || at(i) == U'-')) negative = at(i++) == U'-';
  // Accumulate the magnitude with a cap, so long digit runs cannot overflow.
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(at(i)); ++i) {
    magnitude = magnitude * 10 + (at(i) - U'0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

int ParseDecimal(std::u16string_view text) { return ParseUnits(text); }

int ParseDecimal(std::string_view text) { return ParseUnits(text); }

void AppendDecimal(int value, std::u16string& out) {
  char16_t digits[12];
  int count = 0;
  // Work on the negative side so INT_MIN needs no special case.
  int rest = value < 0 ? value : -value;
  do {
    digits[count++] = static_cast<char16_t>(u'0' - rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) out.push_back(u'-');
  while (count > 0) out.push_back(digits[--count]);
}

std::u16string FormatDecimal(int value) {
  std::u16string out;
  AppendDecimal(value, out);
  return out;
}

}  // namespace fennimar
