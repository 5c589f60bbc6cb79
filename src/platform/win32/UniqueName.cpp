#include "src/platform/win32/UniqueName.h"

#include "src/platform/win32/Win32Api.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

namespace fennimar::platform {
namespace {

std::uint64_t RandomBits() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<std::uint64_t>(now.QuadPart) * 0x9E3779B97F4A7C15ull ^
         (static_cast<std::uint64_t>(::GetTickCount64()) << 17);
}

}  // namespace

// The counter keeps this process's names apart, the random part those of an
// earlier process that had the same id.
std::u16string UniqueSuffix() {
  static std::atomic<std::uint64_t> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".%lu-%llu-%016llx",
                static_cast<unsigned long>(::GetCurrentProcessId()),
                static_cast<unsigned long long>(++counter),
                static_cast<unsigned long long>(RandomBits()));
  return std::u16string(suffix, suffix + std::char_traits<char>::length(suffix));
}

}  // namespace fennimar::platform
