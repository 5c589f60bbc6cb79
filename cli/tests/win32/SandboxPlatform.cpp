// The sandbox on Windows: APPDATA for the configuration folder, a registry
// key of its own that the program uses in place of HKEY_CURRENT_USER
// (FENNIMAR_REGISTRY_KEY).
#include "cli/tests/SandboxPlatform.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "src/common/Utf.h"

namespace fennimar::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kKeysFolder[] = L"Software\\FennimarCliTests\\";

std::wstring KeyOf(const std::string& root) {
  return kKeysFolder + fs::u8path(root).filename().wstring();
}

}  // namespace

std::string MakeTemporaryFolder() {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    const std::wstring name = L"fennimar-cli-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter) + L"-" +
                              std::to_wstring(::GetTickCount64());
    const fs::path folder = fs::temp_directory_path() / name;
    if (fs::create_directory(folder)) return folder.u8string();
  }
}

std::vector<std::string> ProgramFiles() { return {"fennimar.exe", "FennimarCommonDll64.dll"}; }

// The test program is built into the same folder.
fs::path BuiltProgramFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

std::vector<std::string> HomeEnvironment(const std::string& root, const std::string& config) {
  const std::wstring key = KeyOf(root);
  return {"APPDATA=" + config,
          "FENNIMAR_REGISTRY_KEY=" + Utf16ToUtf8(std::u16string(key.begin(), key.end()))};
}

void CleanUpHome(const std::string& root) {
  const std::wstring key = KeyOf(root);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace fennimar::cli::test
