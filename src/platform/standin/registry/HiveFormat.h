// HiveFormat - the registry editor's export format that stores a hive:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tarsel]
//   @="default value"
//   "Count"=dword:0000000a
//   "Path"="C:\\Program Files\\Tarsel"
//   "Blob"=hex:01,02,03
//   "Other"=hex(7):41,00,00,00,00,00
//
// Values keep their exact type and bytes: data that the plain forms cannot
// spell (a string without its terminating zero, an odd size, a line break...)
// is written as hex(N).
//
// Writing gives UTF-8 text with CRLF line ends. Reading accepts UTF-8 with or
// without a byte-order mark, UTF-16LE with its mark (what the Windows editor
// exports), CRLF or LF line ends, blank lines, ';' comment lines and the older
// "REGEDIT4" header. The editor's deletion lines ("[-KEY]" and "Name"=-) are
// refused: a stored hive is a state, not a list of changes to apply.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFORMAT_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFORMAT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "src/common/Status.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/Hive.h"

namespace fennimar::platform {

// Larger hive files are refused unread, and a change that would make the file
// larger is refused too.
inline constexpr std::size_t kMaxHiveBytes = std::size_t{16} << 20;

// Reads a hive file. Anything that cannot be parsed gives kCorrupt with the
// line number in the message, and `*out` is left unchanged.
Status ParseHive(std::string_view file_bytes, Hive* out);
std::string SerializeHive(const Hive& hive);
// The same text for the keys that a registry's ReadTree gave for
// HKEY_CURRENT_USER, in their order.
std::string SerializeRegistryKeys(const std::vector<RegistryKeyData>& keys);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFORMAT_H_
