#include "src/platform/standin/xml/PugiXmlValues.h"

#include <algorithm>
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

std::string CheckCharacters(std::string_view value) {
  // pugixml decodes UTF-16 without checking it; a broken pair is refused too.
  if (!IsValidUtf8(value)) return "text that is not valid Unicode";
  if (xml::FindForbiddenByte(value) != std::string_view::npos) {
    return "a character XML does not allow";
  }
  return {};
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsAllSpace(std::string_view text) {
  for (const char c : text) {
    if (!IsSpace(c)) return false;
  }
  return true;
}

// A reference from `raw[at]` on ('&' included): its length, and whether it is
// a character reference to white space. The reference was decoded already.
std::size_t ReferenceAt(std::string_view raw, std::size_t at, bool* space) {
  const std::size_t end = raw.find(';', at);
  const std::string_view reference = raw.substr(at, end + 1 - at);
  *space = reference == "&#13;" || reference == "&#10;" || reference == "&#9;" ||
           reference == "&#32;" || reference == "&#xD;" || reference == "&#xd;" ||
           reference == "&#xA;" || reference == "&#xa;" || reference == "&#x9;" ||
           reference == "&#x20;";
  return reference.size();
}

// The component's parser takes text in pieces: each run between references,
// and each reference. Outside xml:space="preserve" it drops a piece of white
// space only at the start of the text (any number of them) and the last piece
// when that is white space only: "&#13;abc&#13;" is read as "abc". `decoded`
// is `raw` decoded; each dropped piece is one byte there, or its raw bytes.
void DropSpacePiecesAtEnds(std::string_view raw, std::string* decoded) {
  std::size_t raw_at = 0;
  std::size_t leading = 0;  // bytes of `decoded` to drop at the start
  while (raw_at < raw.size()) {
    if (raw[raw_at] == '&') {
      bool space = false;
      const std::size_t length = ReferenceAt(raw, raw_at, &space);
      if (!space) break;
      raw_at += length, leading += 1;
    } else {
      const std::size_t run = std::min(raw.find('&', raw_at), raw.size()) - raw_at;
      if (!IsAllSpace(raw.substr(raw_at, run))) break;
      raw_at += run, leading += run;
    }
  }
  const std::size_t last_reference = raw.rfind('&');
  if (raw_at < raw.size() && last_reference != std::string_view::npos && last_reference >= raw_at) {
    bool space = false;
    const std::size_t after = last_reference + ReferenceAt(raw, last_reference, &space);
    if (after < raw.size() && IsAllSpace(raw.substr(after))) {
      decoded->resize(decoded->size() - (raw.size() - after));
    } else if (after == raw.size() && space) {
      decoded->pop_back();
    }
  }
  decoded->erase(0, leading);
}

}  // namespace

std::string ValueChecker::Check(pugi::xml_node node, bool preserve_space) {
  switch (node.type()) {
    case pugi::node_pcdata:
      return Text(node, preserve_space);
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

// Text that needs decoding or may hold what the decoder refuses.
bool ValueChecker::NeedsDecoding(const char* value, bool attribute) const {
  if (check_all_) return true;
  return (references_ && std::strchr(value, '&') != nullptr) ||
         (attribute ? std::strchr(value, '<') != nullptr : std::strstr(value, "]]>") != nullptr);
}

std::string ValueChecker::Text(pugi::xml_node node, bool preserve_space) {
  if (!NeedsDecoding(node.value(), /*attribute=*/false)) return {};
  if (check_all_) {
    std::string reason = CheckCharacters(node.value());
    if (!reason.empty()) return reason;
  }
  decoded_.clear();
  std::string reason =
      xml::DecodeReferences(node.value(), /*attribute=*/false, entities_, budget_, &decoded_);
  if (!reason.empty()) return reason;
  if (!preserve_space) DropSpacePiecesAtEnds(node.value(), &decoded_);
  node.set_value(decoded_.c_str(), decoded_.size());
  return {};
}

std::string ValueChecker::Attributes(pugi::xml_node node) {
  names_.clear();
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    names_.push_back(a.name());
    if (!NeedsDecoding(a.value(), /*attribute=*/true)) continue;
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
