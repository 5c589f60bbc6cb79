// MsxmlSave - writes a DOM document over a file in one step, or into memory.
#ifndef FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_
#define FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_

#include "src/platform/win32/Win32Api.h"
#include <msxml2.h>

#include <string>
#include <string_view>

namespace fennimar::platform {

// The document saves itself to a temporary file with a unique name beside
// `path`; the temporary is flushed to the disk and then moved over `path`
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), so a reader sees the
// old or the new file, never a mixture. On failure the temporary is removed
// and `path` stays as it was. True on success.
bool SaveAtomically(IXMLDOMDocument& document, std::u16string_view path);

// The bytes the document's save writes, through a temporary file in the
// user's temporary folder that is removed afterwards. False when the
// document cannot be saved or the file read back.
bool SaveToBytes(IXMLDOMDocument& document, std::string* bytes);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_MSXMLSAVE_H_
