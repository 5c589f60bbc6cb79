// TestHost on Windows: the registry is the system's, so a test's home is a
// key of its own below HKEY_CURRENT_USER that RegOverridePredefKey puts in
// HKEY_CURRENT_USER's place - in this process directly, in the stress
// programs through the variable named by kRegistryKeyVariable, which they
// inherit.
#include "tests/reliability/TestHost.h"

#include <windows.h>

#include <cstdlib>

#include "tests/support/win32/CommandLine.h"

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kTestKeys[] = L"Software\\FennimarReliabilityTests\\";
constexpr DWORD kMaxVariable = 32767;

using testing::WideFromUtf8;

std::string Narrow(const std::wstring& wide) { return fs::path(wide).u8string(); }

// The test folder's name is unique, and so names the test's key too.
std::wstring KeyOf(const fs::path& root) { return kTestKeys + root.filename().wstring(); }

void SetValue(const wchar_t* key_path, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    std::abort();
  }
  const LSTATUS set = ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  ::RegCloseKey(key);
  if (set != ERROR_SUCCESS) std::abort();
}

}  // namespace

fs::path ProgramFolder() {
  std::wstring buffer(kMaxVariable, L'\0');
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

std::string ProgramFileName(const std::string& name) { return name + ".exe"; }

// The writer loads the library from its own folder. The values program sets
// registry and INI values only, which the tests do not change here.
std::vector<std::string> HostFiles() {
  return {"fennimar_stress_writer.exe", "FennimarCommonDll64.dll", "Fennimar.xml"};
}

IsolatedHome::IsolatedHome(const fs::path& root) : root_(root) {
  const std::wstring key_path = KeyOf(root);
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
    std::abort();
  }
  const LSTATUS overridden = ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
  ::RegCloseKey(key);  // the override holds its own handle
  if (overridden != ERROR_SUCCESS) std::abort();
  Set(kRegistryKeyVariable, Narrow(key_path));
}

IsolatedHome::~IsolatedHome() {
  for (const SavedVariable& variable : saved_) {
    ::SetEnvironmentVariableW(WideFromUtf8(variable.name).c_str(),
                              variable.set ? WideFromUtf8(variable.value).c_str() : nullptr);
  }
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(root_).c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, KeyOf(root_).c_str());
}

// The children get the environment block, which SetEnvironmentVariableW
// changes (the C runtime's copy of it does not matter here).
void IsolatedHome::Set(const std::string& name, const std::string& value) {
  std::wstring old(kMaxVariable, L'\0');
  const std::wstring wide_name = WideFromUtf8(name);
  const DWORD length = ::GetEnvironmentVariableW(wide_name.c_str(), old.data(), kMaxVariable);
  old.resize(length < kMaxVariable ? length : 0);
  saved_.push_back({name, Narrow(old), length > 0});
  ::SetEnvironmentVariableW(WideFromUtf8(name).c_str(), WideFromUtf8(value).c_str());
}

// Written under the overridden HKEY_CURRENT_USER, where the library and the
// stress programs look.
void SeedRegistry(const fs::path& /*root*/, const std::string& wallpaper) {
  const DWORD used = 0;
  SetValue(L"Software\\Tarsel\\Tarsel Kestrova2", L"IsFirstUse", REG_DWORD, &used, sizeof used);
  const std::wstring path = WideFromUtf8(wallpaper);
  SetValue(L"Control Panel\\Desktop", L"WallPaper", REG_SZ, path.c_str(),
           static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

// The settings document (saved to a temporary and renamed by the library) and
// the password file (held without sharing, replaced by the library) are the
// library's own files on Windows too. The registry and the INI file are the
// system's services there; how they behave when a writer is killed is the
// system's business, not something these tests can vouch for.
std::string WhyNotTestedHere(Kind kind) {
  switch (kind) {
    case Kind::kRegistry:
      return "on Windows the registry is the system's own service";
    case Kind::kIni:
      return "on Windows INI files are written by the system's own service";
    default:
      return std::string();
  }
}

// As many as on Linux. A kill round under Wine (start the writer, wait for
// "ready", kill, wait for its end, read the file back through the library)
// takes about 25 ms here, so 75 kills of each of the two kinds add about 4 s
// to CI; were process starts as slow as Wine's worst (0.15 s), they would
// still add under 30 s, within the Windows run's budget of about 90 s.
int KillsPerKind() { return 75; }

}  // namespace fennimar::reliability
