// Loading a settings document into pugixml. pugixml parses leniently and
// keeps what it is told to keep; the checks here refuse what a strict DOM
// refuses where it matters to us, and the clean-up pass drops the layout
// white space that the settings code never expects to see as children.

#include "src/platform/standin/xml/PugiXmlLoad.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "src/common/Utf.h"
#include "src/platform/XmlReferences.h"
#include "src/platform/standin/xml/DeclaredCharset.h"
#include "src/platform/standin/xml/PugiXmlValues.h"
#include "src/platform/standin/xml/PugiXmlWrittenForm.h"

namespace fennimar::platform::pugixml_load {
namespace {

// White-space-only text is parsed and removed afterwards (rather than never
// parsed) when xml:space="preserve" may apply, because there it must stay;
// see ParseFlagsFor. The declaration is kept so that saving writes it back
// unchanged, and so is a document type declaration. References are left for
// ValueChecker to decode, since pugixml keeps an undeclared entity or a bare
// '&' as text where they make the document not well-formed. Fragment mode keeps text outside the
// root element, which a document must not have, so that it can be refused.
constexpr unsigned kParseFlags = pugi::parse_pi | pugi::parse_comments | pugi::parse_cdata |
                                 pugi::parse_ws_pcdata | pugi::parse_eol |
                                 pugi::parse_wconv_attribute | pugi::parse_declaration |
                                 pugi::parse_doctype | pugi::parse_fragment;

// Unicode encodings a declaration may name, each with the encodings the
// bytes may then be in (any other is converted by the platform before pugixml
// sees it: pugixml would take it as UTF-8). A byte order mark
// decides over the declaration, so a declaration that the bytes contradict
// (a UTF-8 mark on a "UTF-16" document) is refused, as strict parsers do.
struct DeclaredEncoding {
  const char* name;
  pugi::xml_encoding read_as;
  pugi::xml_encoding or_as;
};
constexpr DeclaredEncoding kDeclaredEncodings[] = {
    {"utf-8", pugi::encoding_utf8, pugi::encoding_utf8},
    {"utf-16", pugi::encoding_utf16_le, pugi::encoding_utf16_be}};

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsXmlWhitespace(const char* text) {
  for (; *text != '\0'; ++text) {
    if (!IsXmlSpace(*text)) return false;
  }
  return true;
}

char ToAsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (ToAsciiLower(*a) != ToAsciiLower(*b)) return false;
  }
  return *a == *b;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-32 is left out: nothing writes settings in it, and refusing it keeps
// the set of encodings that Save must reproduce small.
bool IsReadableEncoding(pugi::xml_encoding encoding) {
  return encoding == pugi::encoding_utf8 || encoding == pugi::encoding_utf16_le ||
         encoding == pugi::encoding_utf16_be;
}

bool HasUtf8Bom(std::string_view bytes) { return StartsWith(bytes, "\xEF\xBB\xBF"); }

bool IsUtf16(pugi::xml_encoding encoding) {
  return encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be;
}

// Whole units, every surrogate in a pair: pugixml drops a last half unit or a
// broken pair silently, and the next save would lose them for good.
bool IsValidUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return false;
  bool expect_low = false;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const auto high_byte = static_cast<unsigned char>(bytes[big_endian ? i : i + 1]);
    const bool high = high_byte >= 0xD8 && high_byte <= 0xDB;
    const bool low = high_byte >= 0xDC && high_byte <= 0xDF;
    if (low != expect_low) return false;
    expect_low = high;
  }
  return !expect_low;
}

bool IsAcceptedDeclaration(const pugi::xml_document& document, pugi::xml_encoding read_as,
                           bool converted) {
  if (converted) return true;  // read as declared
  const pugi::xml_node first = document.first_child();
  if (first.type() != pugi::node_declaration) return true;
  const pugi::xml_attribute encoding = first.attribute("encoding");
  if (!encoding) return true;
  return std::any_of(std::begin(kDeclaredEncodings), std::end(kDeclaredEncodings),
                     [&](const DeclaredEncoding& declared) {
                       return EqualsIgnoringAsciiCase(encoding.value(), declared.name) &&
                              (read_as == declared.read_as || read_as == declared.or_as);
                     });
}

// A document is: an optional declaration first, then comments, processing
// instructions and layout white space around exactly one root element.
// `declaration_at_start`: nothing, not even white space, comes before a
// declaration in the bytes (the declaration node being the first child shows
// that only when layout white space was parsed as nodes too).
// A document type declaration may stand once between the two, before the
// root element; it is returned in `*doctype`.
bool HasWellFormedTopLevel(const pugi::xml_document& document, bool declaration_at_start,
                           pugi::xml_node* doctype) {
  int elements = 0;
  for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
    switch (node.type()) {
      case pugi::node_element:
        ++elements;
        break;
      case pugi::node_declaration:
        if (node != document.first_child() || !declaration_at_start) return false;
        break;
      case pugi::node_doctype:
        if (elements > 0 || *doctype) return false;
        *doctype = node;
        break;
      case pugi::node_comment:
      case pugi::node_pi:
        break;
      case pugi::node_pcdata:
        if (!IsXmlWhitespace(node.value())) return false;
        break;
      default:  // CDATA outside the root
        return false;
    }
  }
  return elements == 1;
}

// One pass over the whole tree, in document order and without recursion, so
// that no nesting depth can exhaust the stack. It drops white-space-only text
// outside xml:space="preserve", decodes references, and refuses too deep
// nesting, repeated attributes (which pugixml accepts) and what ValueChecker
// refuses. Empty on success, else the reason.
class TreeCleaner {
 public:
  explicit TreeCleaner(ValueChecker& values) : values_(values) {}

  std::string Run(pugi::xml_document& document) {
    preserve_.assign(1, false);  // the document level: white space is layout
    pugi::xml_node node = document.first_child();
    while (node) {
      // The declarations before the root were checked with the top level.
      const pugi::xml_node_type type = node.type();
      const bool top_declaration = (type == pugi::node_doctype || type == pugi::node_declaration) &&
                                   node.parent() == document;
      if (!top_declaration) {
        std::string reason = values_.Check(node, preserve_.back());
        if (!reason.empty()) return reason;
      }
      if (type == pugi::node_pcdata && !preserve_.back() && IsXmlWhitespace(node.value())) {
        const pugi::xml_node next = Advance(node);
        node.parent().remove_child(node);
        node = next;
        continue;
      }
      if (type == pugi::node_element) {
        if (preserve_.size() > kMaxElementDepth) return "elements nested too deeply";
        if (HasRepeatedAttribute()) return "an attribute given twice";
        if (node.first_child()) {
          preserve_.push_back(PreservesSpace(node, preserve_.back()));
          node = node.first_child();
          continue;
        }
      }
      node = Advance(node);
    }
    return {};
  }

 private:
  // The node after `node` and its subtree in document order, closing the
  // elements it climbs out of.
  pugi::xml_node Advance(pugi::xml_node node) {
    while (!node.next_sibling()) {
      node = node.parent();
      if (node.type() == pugi::node_document) return pugi::xml_node();
      preserve_.pop_back();
    }
    return node.next_sibling();
  }

  // The nearest xml:space wins: "preserve" keeps white space, "default" lets
  // it be dropped again; any other value changes nothing.
  static bool PreservesSpace(pugi::xml_node element, bool inherited) {
    const pugi::xml_attribute space = element.attribute("xml:space");
    if (!space) return inherited;
    if (std::strcmp(space.value(), "preserve") == 0) return true;
    if (std::strcmp(space.value(), "default") == 0) return false;
    return inherited;
  }

  // A few names are compared pair by pair; more are sorted, which keeps this
  // n log n in the attribute count. The names are those the value check just
  // walked; the vector sorted is reused from element to element.
  bool HasRepeatedAttribute() {
    const std::vector<const char*>& names = values_.attribute_names();
    if (names.size() < 2) return false;
    if (names.size() <= kPairwiseLimit) return HasRepeatedNamePairwise(names);
    names_ = names;
    const auto less = [](const char* a, const char* b) { return std::strcmp(a, b) < 0; };
    const auto same = [](const char* a, const char* b) { return std::strcmp(a, b) == 0; };
    std::sort(names_.begin(), names_.end(), less);
    return std::adjacent_find(names_.begin(), names_.end(), same) != names_.end();
  }

  // Below this many names, comparing every pair (first letters first) is
  // cheaper than sorting.
  static constexpr std::size_t kPairwiseLimit = 16;
  static bool HasRepeatedNamePairwise(const std::vector<const char*>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      for (std::size_t j = i + 1; j < names.size(); ++j) {
        if (names[i][0] == names[j][0] && std::strcmp(names[i], names[j]) == 0) return true;
      }
    }
    return false;
  }

  ValueChecker& values_;
  std::vector<bool> preserve_;  // one entry per open element, after the document's
  std::vector<const char*> names_;
};

// What is learnt from the bytes before they are parsed, since a parse in
// place changes them.
struct ByteFacts {
  bool has_zero = false;  // UTF-16, or a NUL in 8-bit text
  bool valid_utf8 = false;
  bool may_preserve_space = false;    // xml:space may keep white-space-only text
  bool declaration_at_start = false;  // see HasWellFormedTopLevel
  bool forbidden_byte = false;        // a character XML does not allow, in UTF-8
  bool has_ampersand = false;         // references are possible
  bool has_apostrophe = false;        // attribute values may be single-quoted
};

ByteFacts LearnBytes(std::string_view bytes) {
  ByteFacts facts;
  facts.has_zero = bytes.find('\0') != std::string_view::npos;
  facts.valid_utf8 = IsValidUtf8(bytes);
  // "xml:space" cannot be found bytewise in UTF-16, hence the zero byte.
  facts.may_preserve_space = facts.has_zero || bytes.find("xml:space") != std::string_view::npos;
  // With layout white space parsed, the tree itself shows what came first.
  facts.declaration_at_start =
      facts.may_preserve_space || StartsWith(bytes.substr(HasUtf8Bom(bytes) ? 3 : 0), "<?xml");
  // Checked once here for UTF-8; the values of other encodings are checked
  // one by one once pugixml has converted them.
  facts.forbidden_byte =
      facts.valid_utf8 && xml::FindForbiddenByte(bytes) != std::string_view::npos;
  facts.has_ampersand = bytes.find('&') != std::string_view::npos;
  facts.has_apostrophe = bytes.find('\'') != std::string_view::npos;
  return facts;
}

// Layout white space is not parsed at all where no xml:space can keep it:
// pugixml then never makes those nodes, and nothing is left to remove.
unsigned ParseFlagsFor(const ByteFacts& facts) {
  return facts.may_preserve_space ? kParseFlags : kParseFlags & ~pugi::parse_ws_pcdata;
}

// Reads the document type declaration, when there is one, into `*entities`.
std::string ReadDocumentType(pugi::xml_node doctype, xml::EntityTable* entities) {
  return doctype ? xml::ReadDocumentType(doctype.value(), entities) : std::string();
}

// `bytes` as read; they are looked at only when they were not parsed in place
// (UTF-16 never is). Empty when accepted, else the reason.
std::string CheckContent(std::string_view bytes, const ByteFacts& facts,
                         const pugi::xml_parse_result& parsed, pugi::xml_document& document,
                         bool converted) {
  if (parsed.status != pugi::status_ok) return parsed.description();
  if (!IsReadableEncoding(parsed.encoding)) return "an encoding that is not read";
  if (parsed.encoding == pugi::encoding_utf8 && !facts.valid_utf8)
    return "bytes that are not UTF-8";
  if (IsUtf16(parsed.encoding) &&
      !IsValidUtf16(bytes, parsed.encoding == pugi::encoding_utf16_be)) {
    return "bytes that are not UTF-16";
  }
  if (facts.forbidden_byte) return "a character XML does not allow";
  if (!IsAcceptedDeclaration(document, parsed.encoding, converted))
    return "a declared encoding that is not read";
  if (!IsWellFormedDeclaration(document)) return "an XML declaration that is not well-formed";
  pugi::xml_node doctype;
  if (!HasWellFormedTopLevel(document, facts.declaration_at_start, &doctype)) {
    return "not a single root element with only comments and instructions around it";
  }
  xml::EntityTable entities;
  std::string reason = ReadDocumentType(doctype, &entities);
  if (!reason.empty()) return reason;
  ValueChecker values(entities, /*check_all=*/parsed.encoding != pugi::encoding_utf8,
                      /*references=*/facts.has_ampersand);
  return TreeCleaner(values).Run(document);
}

// Valid UTF-8 without a zero byte is parsed where it lies, without a copy;
// anything else from pugixml's own copy, so that the bytes stay as read for
// the checks that need them.
// `converted` bytes are UTF-8 whatever their declaration says.
pugi::xml_parse_result Parse(std::string& bytes, const ByteFacts& facts, bool converted,
                             pugi::xml_document& document) {
  const unsigned flags = ParseFlagsFor(facts);
  const pugi::xml_encoding encoding = converted ? pugi::encoding_utf8 : pugi::encoding_auto;
  if (facts.valid_utf8 && !facts.has_zero) {
    return document.load_buffer_inplace(bytes.data(), bytes.size(), flags, encoding);
  }
  return document.load_buffer(bytes.data(), bytes.size(), flags, encoding);
}

}  // namespace

bool LoadDocumentChecked(std::string& bytes, pugi::xml_document& document, SourceEncoding* source,
                         std::string* reason) {
  document.reset();
  std::string charset = DeclaredCharset(bytes);
  if (IsUnicodeName(charset)) charset.clear();
  std::string refused = charset.empty() ? std::string() : ConvertToUtf8(charset, &bytes);
  if (!refused.empty()) {
    if (reason != nullptr) *reason = std::move(refused);
    return false;
  }
  const ByteFacts facts = LearnBytes(bytes);
  const pugi::xml_parse_result parsed = Parse(bytes, facts, !charset.empty(), document);
  refused = CheckContent(bytes, facts, parsed, document, !charset.empty());
  if (!refused.empty()) {
    document.reset();
    if (reason != nullptr) *reason = std::move(refused);
    return false;
  }
  *source = SourceEncoding();
  source->charset = std::move(charset);
  source->encoding = parsed.encoding;
  // As the component does, a UTF-8 document is saved without a byte-order
  // mark even when it was read with one; UTF-16 always has one.
  source->bom = IsUtf16(parsed.encoding);
  source->plain_attribute_values = parsed.encoding == pugi::encoding_utf8 &&
                                   source->charset.empty() && !facts.has_ampersand &&
                                   !facts.has_apostrophe;
  return true;
}

// Bytes in the written form are parsed as they are: nothing in them needs a
// check or a clean-up, so none runs. They are well-formed by the scan, so the
// parse in place cannot fail on them; were it ever to, the document is
// refused with pugixml's reason, as any that does not parse.
bool LoadDocument(std::string& bytes, pugi::xml_document& document, SourceEncoding* source,
                  std::string* reason) {
  if (!IsWrittenForm(bytes)) return LoadDocumentChecked(bytes, document, source, reason);
  document.reset();
  const pugi::xml_parse_result parsed = document.load_buffer_inplace(
      bytes.data(), bytes.size(), kParseFlags & ~pugi::parse_ws_pcdata, pugi::encoding_utf8);
  if (parsed.status != pugi::status_ok) {
    document.reset();
    if (reason != nullptr) *reason = parsed.description();
    return false;
  }
  *source = SourceEncoding();
  source->plain_attribute_values = true;
  source->written_form = true;
  return true;
}

}  // namespace fennimar::platform::pugixml_load
