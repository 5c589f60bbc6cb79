#include "src/platform/standin/xml/DeclaredCharset.h"

#include <cctype>
#include <memory>

#include "src/platform/Charset.h"

namespace fennimar::platform::pugixml_load {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DeclaredCharset(std::string_view bytes) {
  if (bytes.substr(0, 5) != "<?xml" || bytes.size() < 6 || !IsSpace(bytes[5])) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < declaration.size() && IsSpace(declaration[at])) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  while (at < declaration.size() && IsSpace(declaration[at])) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const std::size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  return std::string(declaration.substr(at + 1, end - at - 1));
}

bool IsUnicodeName(std::string_view charset) {
  std::string folded;
  for (const char c : charset) {
    if (c != '-' && c != '_')
      folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded.rfind("utf", 0) == 0 || folded.rfind("ucs", 0) == 0 || folded.empty();
}

std::string ConvertToUtf8(const std::string& charset, std::string* bytes) {
  const std::unique_ptr<CharsetConverter> converter = NewCharsetConverter(charset, "UTF-8");
  if (converter == nullptr) return "the encoding \"" + charset + "\" is not known";
  std::string out;
  out.reserve(bytes->size() + bytes->size() / 2);
  std::size_t used = 0;
  if (converter->Convert(*bytes, &out, &used) != CharsetConverter::Result::kDone) {
    return "bytes that are not valid " + charset;
  }
  *bytes = std::move(out);
  return {};
}

}  // namespace fennimar::platform::pugixml_load
