// XmlText - text rules every DOM backend shares, so that an element's text
// reads the same whatever component holds the document.
#ifndef FENNIMAR_PLATFORM_XMLTEXT_H_
#define FENNIMAR_PLATFORM_XMLTEXT_H_

#include <string>

namespace fennimar::platform {

// Removes XML white space (space, tab, CR, LF) from both ends of `text`;
// runs inside are kept.
void TrimXmlWhitespace(std::u16string& text);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_XMLTEXT_H_
