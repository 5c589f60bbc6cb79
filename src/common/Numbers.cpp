#include "src/common/Numbers.h"

#include <climits>
#include <cstdint>
#include <type_traits>

namespace fennimar {
namespace {

// White space as the runtime's _wtoi skips it: the Unicode spaces its
// iswspace knows (found under Wine, character by character), not U+0085,
// U+FEFF or U+200B.
bool IsSpace(char32_t c) {
  return c == U' ' || (c >= U'\t' && c <= U'\r') || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

// The digit's value, or -1: ASCII digits and the decimal digits of the
// scripts whose zeros are listed, as _wtoi reads them (full-width, Arabic-
// Indic, Devanagari, Thai, ...); not superscripts or circled numbers.
int DigitValue(char32_t c) {
  static constexpr char32_t kZeros[] = {U'0',  0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66,
                                        0x0AE6, 0x0B66, 0x0C66, 0x0CE6, 0x0D66, 0x0E50,
                                        0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};
  for (const char32_t zero : kZeros) {
    if (c >= zero && c <= zero + 9) return static_cast<int>(c - zero);
  }
  return -1;
}

// Reads one character from UTF-16 units (a unit: every character the rule
// knows is in the BMP) or from UTF-8 (decoded; an ill-formed byte is taken
// alone and matches nothing).
char32_t Next(std::u16string_view text, std::size_t* i) { return text[(*i)++]; }
char32_t Next(std::string_view text, std::size_t* i) {
  const auto b = static_cast<unsigned char>(text[(*i)++]);
  if (b < 0xC0) return b < 0x80 ? b : 0xFFFD;
  const std::size_t n = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
  char32_t c = b & (0x3F >> n);
  for (std::size_t k = 0; k < n; ++k) {
    if (*i >= text.size() || (static_cast<unsigned char>(text[*i]) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (static_cast<unsigned char>(text[(*i)++]) & 0x3F);
  }
  return c;
}

template <typename Text>
int ParseUnits(Text text) {
  std::size_t i = 0, at = 0;
  char32_t c = 0;
  const auto peek = [&] {
    at = i;
    c = at < text.size() ? Next(text, &at) : 0;
    return c;
  };
  while (i < text.size() && IsSpace(peek())) i = at;
  bool negative = false;
  if (i < text.size() && (peek() == U'+' || c == U'-')) {
    negative = c == U'-';
    i = at;
  }
  // Accumulate the magnitude with a cap, so long digit runs cannot overflow.
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
  std::int64_t magnitude = 0;
  for (; i < text.size() && DigitValue(peek()) >= 0; i = at) {
    magnitude = magnitude * 10 + DigitValue(c);
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
