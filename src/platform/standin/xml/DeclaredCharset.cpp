#include "src/platform/standin/xml/DeclaredCharset.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "src/platform/Charset.h"

namespace fennimar::platform::pugixml_load {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A name as XML allows it: a letter, then letters, digits, '.', '_' and '-'.
// iconv reads more, dropping what it does not know ("IS&O-8859-1" as
// ISO-8859-1), but the '&' would be written back as "&amp;", and the saved
// file would then name no encoding it knows.
bool IsEncodingName(std::string_view name) {
  if (name.empty() || !IsAsciiLetter(name[0])) return false;
  for (const char c : name) {
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' && c != '-') {
      return false;
    }
  }
  return true;
}

bool IsDigits(const char* text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return false;
  }
  return true;
}

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
  const std::unique_ptr<CharsetConverter> converter =
      IsEncodingName(charset) ? NewCharsetConverter(charset, "UTF-8") : nullptr;
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

bool IsWellFormedDeclaration(const pugi::xml_document& document) {
  const pugi::xml_node first = document.first_child();
  if (first.type() != pugi::node_declaration) return true;
  pugi::xml_attribute attribute = first.first_attribute();
  if (std::strcmp(attribute.name(), "version") != 0 ||
      std::strncmp(attribute.value(), "1.", 2) != 0 || !IsDigits(attribute.value() + 2)) {
    return false;
  }
  attribute = attribute.next_attribute();
  if (attribute && std::strcmp(attribute.name(), "encoding") == 0) {
    attribute = attribute.next_attribute();
  }
  if (attribute && std::strcmp(attribute.name(), "standalone") == 0) {
    if (std::strcmp(attribute.value(), "yes") != 0 && std::strcmp(attribute.value(), "no") != 0) {
      return false;
    }
    attribute = attribute.next_attribute();
  }
  return !attribute;
}

}  // namespace fennimar::platform::pugixml_load
