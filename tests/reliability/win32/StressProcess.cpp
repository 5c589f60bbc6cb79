// StressProcess on Windows: the test names its registry key in the
// environment, and the program puts that key in HKEY_CURRENT_USER's place
// before the library opens anything. Lines go straight to the output handle,
// past the C runtime's text mode, which would add a CR.
#include "tests/reliability/StressProcess.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {

bool JoinTestHome() {
  const char* subkey = std::getenv(kRegistryKeyVariable);
  if (subkey == nullptr || *subkey == '\0') return true;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot open HKEY_CURRENT_USER\\%s\n", subkey);
    return false;
  }
  const LSTATUS overridden = ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
  ::RegCloseKey(key);  // the override holds its own handle
  if (overridden != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot use HKEY_CURRENT_USER\\%s in its place\n", subkey);
    return false;
  }
  return true;
}

void PrintLine(const std::string& text) {
  const std::string line = text + "\n";
  DWORD written = 0;
  if (!::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                   &written, nullptr) ||
      written != line.size()) {
    std::exit(3);
  }
}

// Windows sleeps in whole milliseconds: a shorter pause returns at once, and
// writers retrying without a pause keep the file's holder from finishing
// (under Wine they made 900 saves take over two minutes).
void PauseBeforeRetry() { ::Sleep(1); }

}  // namespace fennimar::reliability
