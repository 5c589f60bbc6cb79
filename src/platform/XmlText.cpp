#include "src/platform/XmlText.h"

namespace fennimar::platform {
namespace {

bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The characters XML 1.0 does not allow that a value drops.
bool IsDropped(char16_t c) {
  return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// True when the unit at `i` needs changing: a character to drop or a
// surrogate without its other half.
bool NeedsChange(std::u16string_view value, std::size_t i) {
  const char16_t c = value[i];
  if (c < 0x20 || c >= 0xFFFE) return IsDropped(c);
  if (IsHighSurrogate(c)) return i + 1 == value.size() || !IsLowSurrogate(value[i + 1]);
  if (IsLowSurrogate(c)) return i == 0 || !IsHighSurrogate(value[i - 1]);
  return false;
}

}  // namespace

void TrimXmlWhitespace(std::u16string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsXmlSpace(text[end - 1])) --end;
  text.erase(end);
  std::size_t begin = 0;
  while (begin < text.size() && IsXmlSpace(text[begin])) ++begin;
  text.erase(0, begin);
}

std::u16string_view StoredXmlValue(std::u16string_view value, std::u16string& scratch) {
  value = value.substr(0, value.find(u'\0'));
  std::size_t i = 0;
  while (i < value.size() && !NeedsChange(value, i)) ++i;
  if (i == value.size()) return value;
  scratch.assign(value.substr(0, i));
  for (; i < value.size(); ++i) {
    if (!NeedsChange(value, i)) {
      scratch.push_back(value[i]);
    } else if (!IsDropped(value[i])) {
      scratch.push_back(u'\uFFFD');  // a lone surrogate
    }
  }
  return scratch;
}

}  // namespace fennimar::platform
