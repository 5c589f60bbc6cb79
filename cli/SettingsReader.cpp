#include "cli/SettingsReader.h"

#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "cli/ChangeNotifier.h"
#include "cli/Errors.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"
#include "src/common/Names.h"

namespace fennimar::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kFolderAttempts = 100;

fs::path MakePrivateFolder() {
  std::random_device random;
  const fs::path temporary = fs::temp_directory_path();
  for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
    const fs::path folder = temporary / ("fennimar-watch-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(folder, error)) {
      fs::permissions(folder, fs::perms::owner_all, error);
      return folder;
    }
  }
  Fail(Exit::kWrite, "cannot make a folder of its own in " + temporary.u8string());
}

// Read directly, so that nothing is created when it is missing.
bool ProductKeyExists() {
  const std::u16string path = u"HKEY_CURRENT_USER\\" + std::u16string(names::kProductKey);
  try {
    return OpenRegistry()->ReadKey(path).FindKey(path) != nullptr;
  } catch (const CliError&) {
    return false;  // a registry file that cannot be parsed
  }
}

bool WriteCopy(const fs::path& copy, const std::string& bytes) {
  std::ofstream out(copy, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return !out.fail();
}

// What lives outside the document: the registry's two values, the INI flag.
void ReadMachineSettings(FennimarDllInterface& library, Snapshot& now) {
  std::uint32_t first_use = 0;
  now.first_use.reset();
  if (library.GetUsedStatus(first_use) == RC_SUCCESS) now.first_use = first_use;
  CString wallpaper;
  now.wallpaper.reset();
  if (library.GetCurrentBgImage(wallpaper) == RC_SUCCESS) now.wallpaper = U8(wallpaper);
  std::uint32_t hw_flag = 0;
  now.hw_flag.reset();
  if (library.GetLightFlagStatus(hw_flag) == RC_SUCCESS) now.hw_flag = hw_flag;
}

}  // namespace

SettingsReader::SettingsReader(std::string document)
    : document_(std::move(document)), folder_(MakePrivateFolder()) {}

SettingsReader::~SettingsReader() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

Snapshot SettingsReader::Read(const Snapshot& previous) {
  Snapshot now = previous;
  now.document = document_;
  if (!ProductKeyExists()) {
    now.first_use.reset();
    return now;
  }
  const fs::path copy = folder_ / "Fennimar.xml";
  const auto bytes = ReadWholeFile(document_);
  const bool copied = bytes && WriteCopy(copy, *bytes);
  if (!copied) {
    std::error_code ignored;
    fs::remove(copy, ignored);
  }
  FennimarDllInterface library(U16(copy.u8string()));
  ReadMachineSettings(library, now);
  // A flag that cannot be read leaves the copy as it is, as for any host.
  if (now.first_use.value_or(0) != 0) return now;
  now.apps.reset();
  now.switches.reset();
  now.background.reset();
  now.workspaces.reset();
  if (copied) ReadSections(library, now);
  return now;
}

}  // namespace fennimar::cli
