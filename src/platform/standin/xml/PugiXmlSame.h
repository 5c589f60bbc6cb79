// PugiXmlSame - tells, without serialising, that given bytes are exactly what
// saving a pugixml tree writes: indented by two spaces, no declaration added,
// UTF-8 without a byte order mark, a carriage return written as "&#13;"
// (PugiXmlOutput). The tree is walked as pugixml's writer walks it, and each
// piece of its output is compared where it would stand in the bytes, so an
// unchanged document is recognised at a fraction of the cost of writing it.
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLSAME_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLSAME_H_

#include <pugixml.hpp>
#include <string_view>

namespace fennimar::platform::pugixml_load {

// True only when `bytes` are exactly the output described above for
// `document`. False when they differ, and also when the tree holds what this
// check leaves to the writer itself (CDATA, a document type, a processing
// instruction without a value, a comment the writer would change, a name it
// would replace): a caller then compares with the real output.
// `plain_attribute_values`: no attribute value holds what the writer escapes
// (SourceEncoding says when a load shows it), so they are compared as they
// are, without looking for such characters.
bool HoldsSavedForm(const pugi::xml_document& document, std::string_view bytes,
                    bool plain_attribute_values = false);

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLSAME_H_
