// The configuration folder and the program's folder on Windows.
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <string>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "src/common/WideText.h"

namespace fennimar::cli {

std::string ConfigFolder() {
  const wchar_t* folder = _wgetenv(L"APPDATA");
  if (folder == nullptr || !std::filesystem::path(folder).is_absolute()) {
    Fail(Exit::kUsage, "APPDATA does not name a folder; give --document");
  }
  std::wstring text(folder);
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
  return Utf8FromWide(text);
}

const char* ConfigFolderName() { return "%APPDATA%"; }

std::string ExecutableFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
  }
  return std::filesystem::path(buffer).parent_path().u8string();
}

}  // namespace fennimar::cli
