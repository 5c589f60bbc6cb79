#include "src/platform/XmlText.h"

namespace fennimar::platform {
namespace {

bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

void TrimXmlWhitespace(std::u16string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsXmlSpace(text[end - 1])) --end;
  text.erase(end);
  std::size_t begin = 0;
  while (begin < text.size() && IsXmlSpace(text[begin])) ++begin;
  text.erase(0, begin);
}

}  // namespace fennimar::platform
