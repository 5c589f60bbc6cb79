// MsxmlDocument - one settings document held by the system's DOM component.
#ifndef FENNIMAR_PLATFORM_WIN32_MSXMLDOCUMENT_H_
#define FENNIMAR_PLATFORM_WIN32_MSXMLDOCUMENT_H_

#include <msxml2.h>

#include <memory>

#include "src/platform/FileSystem.h"
#include "src/platform/XmlDom.h"
#include "src/platform/win32/ComPtr.h"
#include "src/platform/win32/Win32Api.h"

namespace fennimar::platform {

// Takes the reference to a new, empty DOMDocument; saves go through `files`,
// which must outlive the document.
std::unique_ptr<XmlDocument> NewMsxmlDocument(ComPtr<IXMLDOMDocument> document, FileSystem& files);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_MSXMLDOCUMENT_H_
