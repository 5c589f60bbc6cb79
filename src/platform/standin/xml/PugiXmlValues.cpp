#include "src/platform/standin/xml/PugiXmlValues.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "src/common/Utf.h"

namespace fennimar::platform::pugixml_load {
namespace {

bool IsXmlTarget(const char* name) {
  return std::strlen(name) == 3 && std::tolower(name[0]) == 'x' && std::tolower(name[1]) == 'm' &&
         std::tolower(name[2]) == 'l';
}

// Text that needs decoding or may hold what the decoder refuses.
bool NeedsDecoding(const char* value, bool attribute, bool check_all) {
  if (check_all) return true;
  return std::strchr(value, '&') != nullptr ||
         (attribute ? std::strchr(value, '<') != nullptr : std::strstr(value, "]]>") != nullptr);
}

std::string CheckCharacters(std::string_view value) {
  // pugixml decodes UTF-16 without checking it; a broken pair is refused too.
  if (!IsValidUtf8(value)) return "text that is not valid Unicode";
  if (xml::FindForbiddenByte(value) != std::string_view::npos) {
    return "a character XML does not allow";
  }
  return {};
}

}  // namespace

std::string ValueChecker::Check(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_pcdata:
      return Text(node);
    case pugi::node_element:
      return Attributes(node);
    case pugi::node_comment: {
      const std::string_view value = node.value();
      if (value.find("--") != std::string_view::npos || (!value.empty() && value.back() == '-')) {
        return "\"--\" inside a comment";
      }
      return check_all_ ? CheckCharacters(value) : std::string();
    }
    case pugi::node_pi:
      if (IsXmlTarget(node.name())) return "an XML declaration that is not at the start";
      return check_all_ ? CheckCharacters(node.value()) : std::string();
    case pugi::node_cdata:
      return check_all_ ? CheckCharacters(node.value()) : std::string();
    case pugi::node_declaration:
      return "an XML declaration that is not at the start";
    case pugi::node_doctype:
      return "a document type declaration that is not before the root element";
    default:
      return {};
  }
}

std::string ValueChecker::Text(pugi::xml_node node) {
  if (!NeedsDecoding(node.value(), /*attribute=*/false, check_all_)) return {};
  if (check_all_) {
    std::string reason = CheckCharacters(node.value());
    if (!reason.empty()) return reason;
  }
  decoded_.clear();
  std::string reason =
      xml::DecodeReferences(node.value(), /*attribute=*/false, entities_, budget_, &decoded_);
  if (reason.empty()) node.set_value(decoded_.c_str(), decoded_.size());
  return reason;
}

std::string ValueChecker::Attributes(pugi::xml_node node) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    if (!NeedsDecoding(a.value(), /*attribute=*/true, check_all_)) continue;
    if (check_all_) {
      std::string reason = CheckCharacters(a.value());
      if (!reason.empty()) return reason;
    }
    decoded_.clear();
    std::string reason =
        xml::DecodeReferences(a.value(), /*attribute=*/true, entities_, budget_, &decoded_);
    if (!reason.empty()) return reason;
    a.set_value(decoded_.c_str(), decoded_.size());
  }
  return {};
}

}  // namespace fennimar::platform::pugixml_load
