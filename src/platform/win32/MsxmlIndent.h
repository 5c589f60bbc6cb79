// MsxmlIndent - the layout the library's documents are written in. The
// component drops white-space-only text on load and adds none on save, so a
// document would otherwise be saved on one line.
#ifndef FENNIMAR_PLATFORM_WIN32_MSXMLINDENT_H_
#define FENNIMAR_PLATFORM_WIN32_MSXMLINDENT_H_

#include "src/platform/win32/Win32Api.h"
#include <msxml2.h>

#include "src/platform/win32/ComPtr.h"

namespace fennimar::platform {

// A deep copy of `document` laid out as the other backend writes it: each
// child of an element that holds no text on a line of its own, indented two
// spaces a level. Elements holding text stay on one line, so their white
// space is kept as it was. Null when the copy cannot be made.
ComPtr<IXMLDOMDocument> IndentedCopy(IXMLDOMDocument& document);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_MSXMLINDENT_H_
