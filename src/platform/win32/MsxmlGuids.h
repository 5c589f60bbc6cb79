// MsxmlGuids - the class and interface identifiers of the system's DOM
// component, defined here so that no import library is needed for them.
#ifndef FENNIMAR_PLATFORM_WIN32_MSXMLGUIDS_H_
#define FENNIMAR_PLATFORM_WIN32_MSXMLGUIDS_H_

#include "src/platform/win32/Win32Api.h"

namespace fennimar::platform::msxml {

// The version-independent DOMDocument class.
inline constexpr GUID kClsidDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
inline constexpr GUID kIidXmlDomNode = {
    0x2933BF80, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
inline constexpr GUID kIidXmlDomDocument = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
inline constexpr GUID kIidXmlDomElement = {
    0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

}  // namespace fennimar::platform::msxml

#endif  // FENNIMAR_PLATFORM_WIN32_MSXMLGUIDS_H_
