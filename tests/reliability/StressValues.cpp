// fennimar_stress_values registry|ini FILE NAME COUNT - sets value NAME to 1..COUNT,
// printing each, through the platform services the library writes with: a
// REG_DWORD under kStressKey, or a key of section kStressSection in FILE.
// Several of these, each with its own NAME, change one file at once; since
// every change rewrites the whole file, none may lose another's value.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "src/common/Utf.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "fennimar_stress_values: %s\n", what.c_str());
  return 3;
}

bool SetRegistryValue(const std::u16string& name, std::uint32_t v) {
  platform::Registry& registry = *platform::DefaultServices().registry;
  platform::RegKey key = platform::kNullKey;
  const unsigned char data[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                 static_cast<unsigned char>(v >> 16),
                                 static_cast<unsigned char>(v >> 24)};
  const bool set = registry.CreateKey(platform::kHkeyCurrentUser, kStressKey, &key).ok() &&
                   registry.SetValue(key, name, platform::kRegDword, data, sizeof data).ok();
  return registry.CloseKey(key).ok() && set;
}

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fennimar_stress_values KIND FILE NAME COUNT\n");
    return 2;
  }
  const std::string kind = argv[1];
  if (kind != "registry" && kind != "ini") return 2;
  const std::u16string file = Utf8ToUtf16(argv[2]), name = Utf8ToUtf16(argv[3]);
  const long count = std::strtol(argv[4], nullptr, 10);
  platform::IniFile& ini = *platform::DefaultServices().ini;
  for (long i = 1; i <= count; ++i) {
    const bool set = kind == "registry" ? SetRegistryValue(name, static_cast<std::uint32_t>(i))
                                        : ini.WriteString(file, Utf8ToUtf16(kStressSection), name,
                                                          Utf8ToUtf16(std::to_string(i)));
    if (!set) return Fail("cannot set " + std::string(argv[3]));
    PrintLine(std::to_string(i));
  }
  return 0;
}

}  // namespace
}  // namespace fennimar::reliability

int main(int argc, char** argv) { return fennimar::reliability::Run(argc, argv); }
