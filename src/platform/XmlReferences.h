// XmlReferences - the entity and character references of XML 1.0, decoded
// the same way for every DOM backend, and the document type declarations the
// library accepts.
//
// A document type declaration is taken when every entity it declares can be
// expanded faithfully into the text it stands for: internal general entities
// whose text holds no markup. Parameter entities, external entities, entities
// holding markup and attribute defaults are refused with a reason: expanding
// them would need a fetch (never done), a validating parser, or would change
// the tree, so a save could not write the document back as it was read.
// External document type definitions are never fetched and change nothing.
#ifndef FENNIMAR_PLATFORM_XMLREFERENCES_H_
#define FENNIMAR_PLATFORM_XMLREFERENCES_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace fennimar::platform::xml {

// Expansion stops, refusing the document, beyond either limit: entity
// references nested deeper than this, or more text produced by entities than
// this in the whole document (the "billion laughs").
inline constexpr int kMaxEntityDepth = 16;
inline constexpr std::size_t kMaxEntityBytes = std::size_t{1} << 20;

// Internal general entities by name, each with its literal text in UTF-8
// (character references already replaced, entity references kept).
using EntityTable = std::map<std::string, std::string, std::less<>>;

// Reads a document type declaration, given from "<!DOCTYPE" or from the
// root name on, with or without the closing '>'. Fills `entities`. An empty
// answer means accepted; otherwise it is the reason for refusing.
std::string ReadDocumentType(std::string_view declaration, EntityTable* entities);

// What one document may still spend on entity expansion.
struct ExpansionBudget {
  std::size_t bytes_left = kMaxEntityBytes;
};

// Replaces the references in `raw` (UTF-8 text as it stands in the file, line
// ends already normalised) by what they stand for, appending to `*out`.
// `attribute`: the text is an attribute value, where '<' is refused; else it
// is element text, where "]]>" is refused. Characters XML 1.0 does not allow
// are refused wherever they come from. Empty answer on success, else the
// reason.
std::string DecodeReferences(std::string_view raw, bool attribute, const EntityTable& entities,
                             ExpansionBudget& budget, std::string* out);

// True for the characters XML 1.0 allows in a document.
bool IsXmlChar(char32_t c);

// Finds a character XML 1.0 does not allow in UTF-8 text (a C0 control other
// than tab, LF and CR, U+FFFE or U+FFFF); npos when there is none.
std::size_t FindForbiddenByte(std::string_view utf8);

}  // namespace fennimar::platform::xml

#endif  // FENNIMAR_PLATFORM_XMLREFERENCES_H_
