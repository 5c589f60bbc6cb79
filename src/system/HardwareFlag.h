// HardwareFlag - the flag "IsFirstFlag" in section "systemrequest" of the
// file "HWinfo.ini" in the folder of the process's executable (as `module`
// names it), through the INI service `ini`. Each call finds the file afresh;
// nothing is kept between calls.
#ifndef FENNIMAR_SYSTEM_HARDWAREFLAG_H_
#define FENNIMAR_SYSTEM_HARDWAREFLAG_H_

#include <cstdint>

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/IniFile.h"
#include "src/platform/ModulePath.h"

namespace fennimar {

// Stores what the read gives in `flag` in every case: 0xFFFFFFFF when the
// file, section or key is missing (or holds -1), which answers
// RC_SYSTEM_ERROR.
_Fennimar_ReturnCode_ GetHardwareFlag(platform::ModulePath& module, platform::IniFile& ini,
                                      std::uint32_t& flag);
// Writes "0", creating the file, section and key as needed.
_Fennimar_ReturnCode_ ClearHardwareFlag(platform::ModulePath& module, platform::IniFile& ini);

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_HARDWAREFLAG_H_
