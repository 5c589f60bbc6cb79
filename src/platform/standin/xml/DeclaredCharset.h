// DeclaredCharset - the XML declaration: its form, and reading a document in
// the encoding it names: finding the name, and converting the bytes to UTF-8
// through the platform's charset service (Charset.h) when pugixml cannot read
// them itself.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace fennimar::platform::pugixml_load {

// The encoding named by an XML declaration at the very start of `bytes`
// (read bytewise, so for ASCII-compatible encodings only); empty when there
// is no declaration or it names none.
std::string DeclaredCharset(std::string_view bytes);

// True for names pugixml reads itself (UTF-8, UTF-16 and their spellings
// that need no conversion) or that are refused as misspellings of them.
// US-ASCII is not one: it is converted like any other charset, so that a
// byte above 127 is refused and a save writes any character above 127 as a
// reference, as a strict parser needs.
bool IsUnicodeName(std::string_view charset);

// True when `document` starts with no declaration or with one as XML allows
// it: a version "1." and digits, then an optional encoding (its name is
// checked where it is read) and an optional standalone "yes" or "no", in that
// order and nothing else. pugixml takes any attributes, and the writer would
// escape what it does not expect, so that the saved declaration would say
// something else.
bool IsWellFormedDeclaration(const pugi::xml_document& document);

// Converts `*bytes` from `charset` to UTF-8 in place. Empty on success, else
// the reason: an encoding the platform does not know, or bytes not valid in it.
std::string ConvertToUtf8(const std::string& charset, std::string* bytes);

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_
