// DeclaredCharset - reading a document in the encoding its XML declaration
// names: finding the name, and converting the bytes to UTF-8 through the
// platform's charset service (Charset.h) when pugixml cannot read them itself.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_

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

// Converts `*bytes` from `charset` to UTF-8 in place. Empty on success, else
// the reason: an encoding the platform does not know, or bytes not valid in it.
std::string ConvertToUtf8(const std::string& charset, std::string* bytes);

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_DECLAREDCHARSET_H_
