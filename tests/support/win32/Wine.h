// Wine - whether the tests run on Wine rather than on Windows itself. A few
// of Wine's components differ from Windows' own; a test that pins such a
// difference runs only where it holds.
#ifndef FENNIMAR_TESTS_SUPPORT_WIN32_WINE_H_
#define FENNIMAR_TESTS_SUPPORT_WIN32_WINE_H_

#include <windows.h>

namespace fennimar::testing {

// Wine's ntdll exports wine_get_version; Windows' does not.
inline bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_WIN32_WINE_H_
