#include "src/system/HardwareFlag.h"

#include <string>

#include "src/common/Names.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/Folders.h"
#include "src/platform/Paths.h"

namespace fennimar {
namespace {

constexpr std::uint32_t kNoValue = 0xFFFFFFFF;
// An INI file larger than this is not copied to the per-user place.
constexpr std::size_t kMaxIniBytes = 1u << 20;
constexpr unsigned kNewIniMode = 0644;

// Where the flag's file is: the executable's folder, the file beside the
// executable and the per-user copy that stands in for it (empty where the
// platform names none).
struct IniPlaces {
  std::u16string folder;
  std::u16string beside;
  std::u16string per_user;
};

// A path of any length is taken whole rather than cut short, since a cut
// path would name some other folder. Empty when the executable's path is
// unknown.
IniPlaces FindPlaces(platform::ModulePath& module) {
  const std::u16string executable = module.ExecutableFileName();
  const auto last = executable.rfind(platform::PathSeparator());
  if (last == std::u16string::npos) return {};
  IniPlaces places;
  places.folder = executable.substr(0, last == 0 ? 1 : last);
  places.beside = executable.substr(0, last + 1) + std::u16string(names::kHardwareIniFileName);
  places.per_user = module.PerUserFolderFor(places.folder);
  if (!places.per_user.empty()) {
    places.per_user.append(1, platform::PathSeparator()).append(names::kHardwareIniFileName);
  }
  return places;
}

bool UsePerUser(const platform::Services& services, const IniPlaces& places) {
  if (places.per_user.empty()) return false;
  return services.files->PathExists(places.per_user) || !services.files->CanWriteIn(places.folder);
}

// Starts the per-user copy from the folder's own file, so that a write
// keeps the file's other keys, as Windows copies a file into the
// VirtualStore before changing it.
bool StartPerUserCopy(const platform::Services& services, const IniPlaces& places) {
  if (services.files->PathExists(places.per_user)) return true;
  if (!platform::CreateFolderChain(*services.files, platform::ParentFolder(places.per_user)).ok()) {
    return false;
  }
  std::string bytes;
  const Status read = services.files->ReadFile(places.beside, kMaxIniBytes, &bytes);
  if (read.IsNotFound()) return true;
  return read.ok() &&
         platform::WriteFileAtomically(*services.files, places.per_user, bytes, kNewIniMode).ok();
}

}  // namespace

std::u16string HardwareIniPath(const platform::Services& services) {
  const IniPlaces places = FindPlaces(*services.module);
  return UsePerUser(services, places) ? places.per_user : places.beside;
}

_Fennimar_ReturnCode_ GetHardwareFlag(const platform::Services& services, std::uint32_t& flag) {
  const IniPlaces places = FindPlaces(*services.module);
  const bool per_user = !places.per_user.empty() && services.files->PathExists(places.per_user);
  const std::u16string& path = per_user ? places.per_user : places.beside;
  flag = path.empty() ? kNoValue
                      : services.ini->GetInt(path, names::kSystemRequestSection,
                                             names::kIsFirstFlag, kNoValue);
  return flag == kNoValue ? RC_SYSTEM_ERROR : RC_SUCCESS;
}

_Fennimar_ReturnCode_ ClearHardwareFlag(const platform::Services& services) {
  const IniPlaces places = FindPlaces(*services.module);
  if (places.beside.empty()) return RC_SYSTEM_ERROR;
  const bool per_user = UsePerUser(services, places);
  if (per_user && !StartPerUserCopy(services, places)) return RC_SYSTEM_ERROR;
  const bool written =
      services.ini->WriteString(per_user ? places.per_user : places.beside,
                                names::kSystemRequestSection, names::kIsFirstFlag, u"0");
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
