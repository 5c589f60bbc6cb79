// On Windows a user's settings live in the roaming application-data folder,
// and the registry is the system's own.
#include <cstdlib>
#include <filesystem>

#include "src/interface/UserFiles.h"

namespace fennimar {

std::u16string UserConfigFolder() {
  const wchar_t* folder = _wgetenv(L"APPDATA");
  if (folder == nullptr || !std::filesystem::path(folder).is_absolute()) return {};
  std::u16string text(reinterpret_cast<const char16_t*>(folder));
  // Keeps the separator of a drive's root ("C:\").
  while (text.size() > 3 && (text.back() == u'\\' || text.back() == u'/')) text.pop_back();
  return text;
}

std::u16string UserRegistryFile() { return {}; }

}  // namespace fennimar
