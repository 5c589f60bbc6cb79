// FirstUseFlag - how the first-use flag is written: the REG_DWORD
// "IsFirstUse" of the product's key below HKEY_CURRENT_USER. 1 makes the next
// host that starts install the template document, 0 keeps the document. The
// library and the fennimar command (whose `reset` sets it to 1) both write it
// here, so the flag's place and form are stated once.
#ifndef FENNIMAR_SYSTEM_FIRSTUSEFLAG_H_
#define FENNIMAR_SYSTEM_FIRSTUSEFLAG_H_

#include <cstdint>
#include <string>

#include "src/common/Names.h"
#include "src/common/RegistryNumbers.h"
#include "src/common/Status.h"
#include "src/platform/Registry.h"

namespace fennimar {

inline constexpr std::uint32_t kFirstUseFlagSet = 1;
inline constexpr std::uint32_t kFirstUseFlagCleared = 0;

// Writes the flag into `product_key`, the product's open key.
inline Status WriteFirstUseFlag(platform::Registry& registry, platform::RegKey product_key,
                                std::uint32_t value) {
  const std::string bytes = DwordBytes(value);
  return registry.SetValue(product_key, names::kIsFirstUse, platform::kRegDword, bytes.data(),
                           static_cast<std::uint32_t>(bytes.size()));
}

// Creates the product's key when it is missing and writes the flag into it.
inline Status CreateFirstUseFlag(platform::Registry& registry, std::uint32_t value) {
  platform::RegKey created = platform::kNullKey;
  Status status = registry.CreateKey(platform::kHkeyCurrentUser, names::kProductKey, &created);
  if (!status.ok()) return status;
  status = WriteFirstUseFlag(registry, created, value);
  (void)registry.CloseKey(created);  // the flag is written; closing cannot undo it
  return status;
}

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_FIRSTUSEFLAG_H_
