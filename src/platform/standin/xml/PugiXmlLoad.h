// PugiXmlLoad - turns the bytes of a settings document into a pugixml tree
// that behaves as the settings code expects of any DOM: white space that is only
// layout is gone, comments, processing instructions and the XML declaration
// stay, and anything that is not a plain, well-formed document is refused.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLLOAD_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLLOAD_H_

#include <cstddef>
#include <pugixml.hpp>
#include <string>

#include "src/platform/XmlDom.h"

namespace fennimar::platform::pugixml_load {

// A larger file is not loaded, as by every DOM backend.
inline constexpr std::size_t kMaxDocumentBytes = kMaxXmlDocumentBytes;
// Elements nested deeper than this are refused. The settings document is a few
// levels deep; the limit keeps indented output (whose size grows with depth
// times lines) and pugixml's own recursive routines within bounds.
inline constexpr std::size_t kMaxElementDepth = 256;

// How the file was encoded, so that saving writes it back the same way.
struct SourceEncoding {
  pugi::xml_encoding encoding = pugi::encoding_utf8;
  bool bom = false;  // true for UTF-16 only: UTF-8 is written without one
  // The declared name of any other encoding, converted by the platform; the
  // document is then held as UTF-8 (`encoding`).
  std::string charset;
  // A UTF-8 file without '&' and without '\'': every attribute value stood
  // in double quotes without a reference, so none holds what the writer
  // escapes.
  bool plain_attribute_values = false;
  // The bytes were in the written form (PugiXmlWrittenForm): saving the tree
  // as loaded writes them back unchanged.
  bool written_form = false;
};

// Parses `bytes` into `document` (which is reset first). On any problem -
// not well-formed, no single root element, a document type whose entities
// cannot be expanded faithfully (see XmlReferences.h), an encoding we do not
// read, a declared encoding the bytes contradict, invalid UTF-8 or UTF-16,
// nesting beyond kMaxElementDepth, a repeated attribute - the document is
// left empty, false is returned and `*reason` (when given) says why.
// White-space-only text outside xml:space="preserve" is removed.
// Valid UTF-8 is parsed in place: the document may then point into `bytes`,
// which must stay unchanged where they are for as long as it lives.
bool LoadDocument(std::string& bytes, pugi::xml_document& document, SourceEncoding* source,
                  std::string* reason = nullptr);
// The same, making every check even on bytes in the written form, which
// LoadDocument parses without them; for comparing the two ways.
bool LoadDocumentChecked(std::string& bytes, pugi::xml_document& document, SourceEncoding* source,
                         std::string* reason = nullptr);

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLLOAD_H_
