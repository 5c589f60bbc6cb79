// The configuration folder on Windows.
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

}  // namespace fennimar::cli
