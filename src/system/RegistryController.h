// RegistryController - opens one key below HKEY_CURRENT_USER at a time for
// the interface object's registry methods, and keeps the first-use flag.
//
// Every registry method opens its key, does one read or write and closes the
// key before it returns (a read may do all three in one registry call), so no
// key stays open between calls. Calls on one controller must not overlap.
#ifndef FENNIMAR_SYSTEM_REGISTRYCONTROLLER_H_
#define FENNIMAR_SYSTEM_REGISTRYCONTROLLER_H_

#include <cstdint>
#include <string_view>

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/Registry.h"

namespace fennimar {

class RegistryController {
 public:
  explicit RegistryController(platform::Registry& registry);
  virtual ~RegistryController();
  RegistryController(const RegistryController&) = delete;
  RegistryController& operator=(const RegistryController&) = delete;

  // Opens `subkey`, reads the value `name` into `data` (at most `*size`
  // bytes; `*size` becomes the value's size) and closes the key. False when
  // the key or value is missing or the data do not fit.
  bool ReadValue(std::u16string_view subkey, std::u16string_view name, void* data,
                 std::uint32_t* size);
  // Opens the existing `subkey`, writes the value and closes the key.
  bool WriteValue(std::u16string_view subkey, std::u16string_view name, std::uint32_t type,
                  const void* data, std::uint32_t size);

  // Reads "IsFirstUse" into `status`. When the product's key cannot be
  // opened, creates it with the flag 1 first. RC_SUCCESS, or RC_SYSTEM_ERROR
  // with `status` untouched (also when the key has no such value, or its data
  // are larger than 4 bytes).
  _Fennimar_ReturnCode_ GetUsedStatus(std::uint32_t& status);
  // Writes 0 into "IsFirstUse" of the existing key; RC_SYSTEM_ERROR when the
  // key is missing (it is not created) or the write fails.
  _Fennimar_ReturnCode_ SetUsedStatus();

 private:
  // Sets the handle to the root, then opens `subkey` below it with full
  // access. On failure the handle keeps the root and false is returned.
  bool OpenKey(std::u16string_view subkey);
  // Closes the handle unless it is empty, and empties it.
  void CloseKey();
  void SeedProductKey();
  // Opens the product's key, seeding it when it cannot be opened, and reads
  // "IsFirstUse" into `data` (zeroed first). False when either fails.
  bool SeedAndReadFirstUseFlag(char* data, std::uint32_t capacity);

  platform::Registry& registry_;
  platform::RegKey key_ = platform::kHkeyCurrentUser;
};

}  // namespace fennimar

#endif  // FENNIMAR_SYSTEM_REGISTRYCONTROLLER_H_
