// RegistryNumbers - the registry's numbers as the registry and its file hold
// them: a REG_DWORD is 4 bytes and a REG_QWORD 8, the low byte first,
// whatever the host's byte order.
#ifndef FENNIMAR_COMMON_REGISTRYNUMBERS_H_
#define FENNIMAR_COMMON_REGISTRYNUMBERS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fennimar {

inline constexpr std::size_t kDwordBytes = 4;

// The 4 bytes of a REG_DWORD.
std::string DwordBytes(std::uint32_t value);

// The number that `bytes` hold, low byte first: a REG_DWORD's 4 bytes, a
// REG_QWORD's 8, or fewer (the missing high bytes count as 0). Bytes past
// the eighth are ignored.
std::uint64_t NumberFromBytes(std::string_view bytes);

}  // namespace fennimar

#endif  // FENNIMAR_COMMON_REGISTRYNUMBERS_H_
