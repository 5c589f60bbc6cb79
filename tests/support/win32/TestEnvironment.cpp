// The test fixture on Windows: every test gets its own folder below the
// temporary folder and its own HKEY_CURRENT_USER - a fresh key below the real
// one that RegOverridePredefKey puts in HKEY_CURRENT_USER's place for this
// process, and that FENNIMAR_REGISTRY_KEY names to the programs it starts - so
// that no test sees another's files or registry values, or the user's. Both
// are removed when the test ends.
#include "tests/support/TestEnvironment.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>

namespace fennimar::testing {
namespace {

constexpr wchar_t kVariable[] = L"FENNIMAR_REGISTRY_KEY";
// The test's folder and its key share one unique name.
constexpr std::wstring_view kFolderPrefix = L"fennimar-test-";

std::wstring KeyOf(const std::filesystem::path& root) {
  return L"Software\\FennimarTests\\" + root.filename().wstring().substr(kFolderPrefix.size());
}

}  // namespace

IsolatedTest::IsolatedTest() {
  static std::atomic<unsigned> counter{0};
  root_ = std::filesystem::temp_directory_path() /
          (std::wstring(kFolderPrefix) + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"-" + std::to_wstring(::GetTickCount64()));
  HKEY key = nullptr;
  if (!std::filesystem::create_directory(root_) ||
      ::RegCreateKeyExW(HKEY_CURRENT_USER, KeyOf(root_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::abort();
  }
  const LSTATUS overridden = ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
  ::RegCloseKey(key);  // the override holds its own handle
  if (overridden != ERROR_SUCCESS) std::abort();
  ::SetEnvironmentVariableW(kVariable, KeyOf(root_).c_str());
}

IsolatedTest::~IsolatedTest() {
  ::SetEnvironmentVariableW(kVariable, nullptr);
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(root_).c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, KeyOf(root_).c_str());
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void IsolatedTest::UseRegistryWithoutProfileKeys() const {}

std::u16string IsolatedTest::Path16(const std::string& name) const {
  const std::wstring wide = (root_ / U16(name)).wstring();
  return std::u16string(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

// The build puts the template beside the test program.
std::filesystem::path TemplateDocumentPath() {
  std::wstring buffer(32768, L'\0');
  buffer.resize(::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
  return std::filesystem::path(buffer).parent_path() / "Fennimar.xml";
}

}  // namespace fennimar::testing
