// The reliability tests' OS calls on Windows: the test's own key in
// HKEY_CURRENT_USER's place (RegOverridePredefKey), named to the stress
// programs by FENNIMAR_REGISTRY_KEY; and file indexes.
#include "tests/reliability/Platform.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/win32/CommandLine.h"

namespace fennimar::reliability {
namespace {

bool OverrideCurrentUser(const char* subkey) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS overridden = ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
  ::RegCloseKey(key);  // the override holds its own handle
  return overridden == ERROR_SUCCESS;
}

void SetValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS ||
      ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS) {
    std::abort();
  }
  ::RegCloseKey(key);
}

}  // namespace

bool JoinTestHome() {
  const char* subkey = std::getenv("FENNIMAR_REGISTRY_KEY");
  if (subkey == nullptr || *subkey == '\0' || OverrideCurrentUser(subkey)) return true;
  std::fprintf(stderr, "cannot use HKEY_CURRENT_USER\\%s in its place\n", subkey);
  return false;
}

// Written under the test's HKEY_CURRENT_USER, where the library and the
// stress programs look.
void SeedRegistry(const std::string& wallpaper) {
  const DWORD used = 0;
  SetValue(L"Software\\Tarsel\\Tarsel Kestrova2", L"IsFirstUse", REG_DWORD, &used, sizeof used);
  const std::wstring path = testing::WideFromUtf8(wallpaper);
  SetValue(L"Control Panel\\Desktop", L"WallPaper", REG_SZ, path.c_str(),
           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

// The registry and INI files are the system's services here; how they behave
// when a writer is killed is the system's business.
bool StandInsHere() { return false; }

// Opened with every sharing mode and no access, so as not to disturb the
// library; a link is looked at itself.
std::string FileIdentity(const std::filesystem::path& path) {
  const HANDLE file = ::CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "unopenable";
  BY_HANDLE_FILE_INFORMATION info{};
  const bool got = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  if (!got) return "unknown";
  return std::to_string(info.dwVolumeSerialNumber) + ":" +
         std::to_string((std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
}

// A process cannot reset its peak working set, so a huge input's peak cannot
// be told apart.
long PeakGrowthKb(const std::function<void()>& run) { return run(), 0; }

// The system's XML component takes a byte order mark over the declared
// encoding, reads a declared windows-1252 document, and ignores a stray byte
// after a UTF-16 document's end.
bool PlatformReadsDocument(const std::string& name) {
  return name == "UTF-16LE mark, UTF-8 declared" || name == "declared windows-1252" ||
         name == "UTF-16LE, odd size";
}

}  // namespace fennimar::reliability
