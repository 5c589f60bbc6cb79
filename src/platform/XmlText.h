// XmlText - text rules every DOM backend shares, so that an element's text
// reads the same whatever component holds the document.
#ifndef FENNIMAR_PLATFORM_XMLTEXT_H_
#define FENNIMAR_PLATFORM_XMLTEXT_H_

#include <string>
#include <string_view>

namespace fennimar::platform {

// Removes XML white space (space, tab, CR, LF) from both ends of `text`;
// runs inside are kept.
void TrimXmlWhitespace(std::u16string& text);

// The value a backend stores when a caller sets `value` as an element's text
// or as an attribute: the units before its first NUL, without the characters
// XML 1.0 does not allow in a document (the controls below U+0020 except
// tab, LF and CR, and U+FFFE and U+FFFF), and with every unpaired surrogate
// as U+FFFD. Windows' component drops such a control character from element
// text, but keeps it in an attribute, and keeps U+FFFE and U+FFFF in both,
// and then saves a file that no conforming parser loads (its own included);
// a character reference to them is not allowed either. So both backends
// drop them everywhere. Code that finds a stored value by a caller's
// value compares with this form. Gives `value` itself when it is already in
// that form, else the form built in `scratch`.
std::u16string_view StoredXmlValue(std::u16string_view value, std::u16string& scratch);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_XMLTEXT_H_
