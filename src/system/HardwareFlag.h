// HardwareFlag - the flag "IsFirstFlag" in section "systemrequest" of the
// file "HWinfo.ini" in the folder of the process's executable (as the
// services' module path names it), through their INI service. Each call
// finds the file afresh; nothing is kept between calls.
//
// A program folder that this user cannot write (a packaged program in
// /usr/bin) keeps a per-user copy instead, as Windows redirects such writes
// to the user's VirtualStore: the module path service names its place. The
// copy starts from the folder's own file at the first write and is read in
// preference from then on. Where the platform names no such place (Windows,
// which redirects by itself) the file beside the executable is used always.
#ifndef FENNIMAR_SYSTEM_HARDWAREFLAG_H_
#define FENNIMAR_SYSTEM_HARDWAREFLAG_H_

#include <cstdint>
#include <string>

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/Services.h"

namespace fennimar {

// The file the flag is kept in for this user, the one SetLightFlagStatus
// writes: the per-user copy once it exists or while the executable's folder
// cannot be written, else the file beside the executable. Empty when the
// executable's path is unknown.
std::u16string HardwareIniPath(const platform::Services& services);

// Stores what the read gives in `flag` in every case: 0xFFFFFFFF when the
// file, section or key is missing (or holds -1), which answers
// RC_SYSTEM_ERROR.
_Fennimar_ReturnCode_ GetHardwareFlag(const platform::Services& services, std::uint32_t& flag);
// Writes "0", creating the file, section and key as needed.
_Fennimar_ReturnCode_ ClearHardwareFlag(const platform::Services& services);

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_HARDWAREFLAG_H_
