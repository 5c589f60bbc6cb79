// PugiXmlWrittenForm - recognises, from the bytes alone, a document exactly
// as this library writes it: UTF-8 without a byte order mark, an optional
// declaration at the very start, elements indented by two spaces, attributes
// in double quotes, comments, and text without references. That is every
// document the library saved and nobody edited since, so it is what an
// open meets nearly always.
//
// Such bytes need none of the load's checks and clean-up, and saving the
// tree parsed from them writes them back unchanged: the load parses them and
// is done, and a close that changed nothing need not compare them again.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLWRITTENFORM_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLWRITTENFORM_H_

#include <string>

namespace fennimar::platform::pugixml_load {

// True only when `bytes` are in the written form described above and the
// full load would accept them without changing the parsed tree: valid UTF-8,
// no character XML forbids, one root element, no attribute given twice, no
// "--" inside a comment, nesting within kMaxElementDepth, no xml:space, an
// encoding declared (if at all) as UTF-8. False says nothing either way: the
// full load decides (a reference, CDATA, a processing instruction or a
// document type always take that way).
bool IsWrittenForm(const std::string& bytes);

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLWRITTENFORM_H_
