// PugiXmlText - the text of an element that holds other elements, joined as
// the platform's DOM joins it: the texts below it in document order, with one
// space where layout white space, dropped when the document was read, stood
// between two of them (`<s>\n <a>1</a>\n <b>2</b>\n</s>` reads "1 2").
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLTEXT_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLTEXT_H_

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace fennimar::platform::pugixml_text {

// Appends the text of every text and CDATA node below `root` to `text`.
// `source`: the bytes the document was parsed from in place, if it was; the
// dropped white space is found there (or in pugixml's own copy of them).
void AppendDescendantText(pugi::xml_node root, std::string_view source, std::u16string& text);

}  // namespace fennimar::platform::pugixml_text

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLTEXT_H_
