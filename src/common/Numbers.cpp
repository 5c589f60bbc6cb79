#include "src/common/Numbers.h"

#include <climits>
#include <cstdint>

namespace fennimar {
namespace {

// White space as the C runtime's iswspace sees it in the "C" locale.
bool IsSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

}  // namespace

int ParseDecimal(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  // Accumulate the magnitude with a cap, so long digit runs cannot overflow.
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - u'0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

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
