// HardwareFlag - the flag "IsFirstFlag" in section "systemrequest" of the
// file "HWinfo.ini" in the folder of the process's executable. Each call
// finds the file afresh; nothing is kept between calls.
#ifndef FENNIMAR_SYSTEM_HARDWAREFLAG_H_
#define FENNIMAR_SYSTEM_HARDWAREFLAG_H_

#include <cstdint>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar {

// Stores what the read gives in `flag` in every case: 0xFFFFFFFF when the
// file, section or key is missing (or holds -1), which answers
// RC_SYSTEM_ERROR.
_Fennimar_ReturnCode_ GetHardwareFlag(std::uint32_t& flag);
// Writes "0", creating the file, section and key as needed.
_Fennimar_ReturnCode_ ClearHardwareFlag();

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_HARDWAREFLAG_H_
