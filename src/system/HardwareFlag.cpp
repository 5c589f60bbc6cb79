#include "src/system/HardwareFlag.h"

#include <string>

#include "src/common/Names.h"
#include "src/platform/Paths.h"

namespace fennimar {
namespace {

constexpr std::uint32_t kNoValue = 0xFFFFFFFF;

// The INI file beside the executable; empty when the executable's path is
// unknown. A path of any length is taken whole rather than cut short, since a
// cut path would name some other folder.
std::u16string IniPath(platform::ModulePath& module) {
  const std::u16string executable = module.ExecutableFileName();
  const auto last = executable.rfind(platform::PathSeparator());
  if (last == std::u16string::npos) return std::u16string();
  std::u16string path = executable.substr(0, last + 1);
  path += names::kHardwareIniFileName;
  return path;
}

}  // namespace

_Fennimar_ReturnCode_ GetHardwareFlag(platform::ModulePath& module, platform::IniFile& ini,
                                      std::uint32_t& flag) {
  const std::u16string path = IniPath(module);
  flag = path.empty()
             ? kNoValue
             : ini.GetInt(path, names::kSystemRequestSection, names::kIsFirstFlag, kNoValue);
  return flag == kNoValue ? RC_SYSTEM_ERROR : RC_SUCCESS;
}

_Fennimar_ReturnCode_ ClearHardwareFlag(platform::ModulePath& module, platform::IniFile& ini) {
  const std::u16string path = IniPath(module);
  if (path.empty()) return RC_SYSTEM_ERROR;
  const bool written =
      ini.WriteString(path, names::kSystemRequestSection, names::kIsFirstFlag, u"0");
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
