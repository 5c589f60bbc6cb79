// MsxmlSave - the bytes a DOM document's save writes, made in memory. The
// library writes them to the file itself (WriteFileAtomically), as it writes
// every other file.
#ifndef FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_
#define FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_

#include <msxml2.h>

#include <string>

#include "src/platform/win32/Win32Api.h"

namespace fennimar::platform {

// The document saves itself into a stream in memory, in the encoding (and
// with the byte order mark) its save to a file would use, and `*bytes`
// receives what it wrote. False when the document cannot be saved.
bool SaveToBytes(IXMLDOMDocument& document, std::string* bytes);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_
