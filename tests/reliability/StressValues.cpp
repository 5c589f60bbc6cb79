// StressValues - a program for the reliability tests that sets one value of
// its own, again and again, in the registry stand-in or in an INI file, through
// the platform services the library itself writes with. Several of these, each
// with its own value name, change one file at once; since every change is a
// read-modify-write of the whole file, none may lose another's value.
//
//   fennimar_stress_values KIND FILE NAME COUNT
//
// KIND registry sets the REG_DWORD NAME under HKEY_CURRENT_USER\<kStressKey>
// (FILE is not used: the hive is found through XDG_CONFIG_HOME); KIND ini
// sets NAME in section [kStressSection] of FILE. The values are 1 to COUNT,
// each printed on its own line once set. Exit status: 0 done, 2 usage, 3 a
// change failed (a message on stderr).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "src/common/Utf.h"
#include "src/platform/Services.h"
#include "tests/reliability/StressFiles.h"
#include "tests/reliability/StressProcess.h"

namespace fennimar::reliability {
namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "fennimar_stress_values: %s\n", what.c_str());
  return 3;
}

int SetRegistryValues(const std::u16string& name, long count) {
  platform::Registry& registry = *platform::CurrentServices().registry;
  platform::RegKey key = platform::kNullKey;
  const Status created = registry.CreateKey(platform::kHkeyCurrentUser, kStressKey, &key);
  if (!created.ok()) return Fail(created.message());
  for (long i = 1; i <= count; ++i) {
    const std::uint32_t v = static_cast<std::uint32_t>(i);
    const unsigned char data[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                   static_cast<unsigned char>(v >> 16),
                                   static_cast<unsigned char>(v >> 24)};
    const Status set = registry.SetValue(key, name, platform::kRegDword, data, sizeof data);
    if (!set.ok()) return Fail(set.message());
    PrintLine(std::to_string(i));
  }
  (void)registry.CloseKey(key);
  return 0;
}

int SetIniValues(const std::u16string& file, const std::u16string& name, long count) {
  platform::IniFile& ini = *platform::CurrentServices().ini;
  const std::u16string section = Utf8ToUtf16(kStressSection);
  for (long i = 1; i <= count; ++i) {
    if (!ini.WriteString(file, section, name, Utf8ToUtf16(std::to_string(i)))) {
      return Fail("cannot write " + Utf16ToUtf8(file));
    }
    PrintLine(std::to_string(i));
  }
  return 0;
}

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fennimar_stress_values KIND FILE NAME COUNT\n");
    return 2;
  }
  const std::string kind = argv[1];
  const std::u16string name = Utf8ToUtf16(argv[3]);
  const long count = std::strtol(argv[4], nullptr, 10);
  if (kind == "registry") return SetRegistryValues(name, count);
  if (kind == "ini") return SetIniValues(Utf8ToUtf16(argv[2]), name, count);
  return 2;
}

}  // namespace
}  // namespace fennimar::reliability

int main(int argc, char** argv) { return fennimar::reliability::Run(argc, argv); }
