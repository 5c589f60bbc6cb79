#include "src/system/RegistryController.h"

#include <algorithm>
#include <string_view>

#include "src/common/Names.h"
#include "src/common/RegistryNumbers.h"
#include "src/system/FirstUseFlag.h"

namespace fennimar {

RegistryController::RegistryController(platform::Registry& registry) : registry_(registry) {}

RegistryController::~RegistryController() { CloseKey(); }

bool RegistryController::OpenKey(std::u16string_view subkey) {
  key_ = platform::kHkeyCurrentUser;
  platform::RegKey opened = platform::kNullKey;
  if (!registry_.OpenKey(key_, subkey, platform::kKeyAllAccess, &opened).ok()) return false;
  key_ = opened;
  return true;
}

void RegistryController::CloseKey() {
  if (key_ == platform::kNullKey) return;
  (void)registry_.CloseKey(key_);  // nothing useful to do if closing fails
  key_ = platform::kNullKey;
}

bool RegistryController::ReadValue(std::u16string_view subkey, std::u16string_view name, void* data,
                                   std::uint32_t* size) {
  std::uint32_t type = 0;
  return registry_.GetValue(platform::kHkeyCurrentUser, subkey, name, &type, data, size).ok();
}

bool RegistryController::WriteValue(std::u16string_view subkey, std::u16string_view name,
                                    std::uint32_t type, const void* data, std::uint32_t size) {
  if (!OpenKey(subkey)) return false;
  const bool written = registry_.SetValue(key_, name, type, data, size).ok();
  CloseKey();
  return written;
}

// Creates the product's key with the flag "not used yet". The outcome is not
// examined: only the read that follows decides the result.
void RegistryController::SeedProductKey() { (void)CreateFirstUseFlag(registry_, kFirstUseFlagSet); }

// One look at the registry reads the flag while the key and value are there.
// When that fails, the key is opened on its own, so that a missing key (and
// only that) is seeded, and the value is read from it.
_Fennimar_ReturnCode_ RegistryController::GetUsedStatus(std::uint32_t& status) {
  // A value shorter than 4 bytes fills only its own bytes; the rest stay 0.
  char data[kDwordBytes] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof data;
  if (!registry_
           .GetValue(platform::kHkeyCurrentUser, names::kProductKey, names::kIsFirstUse, &type,
                     data, &size)
           .ok() &&
      !SeedAndReadFirstUseFlag(data, sizeof data)) {
    return RC_SYSTEM_ERROR;
  }
  status = static_cast<std::uint32_t>(NumberFromBytes(std::string_view(data, sizeof data)));
  return RC_SUCCESS;
}

bool RegistryController::SeedAndReadFirstUseFlag(char* data, std::uint32_t capacity) {
  if (!OpenKey(names::kProductKey)) {
    SeedProductKey();
    if (!OpenKey(names::kProductKey)) {
      key_ = platform::kNullKey;
      return false;
    }
  }
  std::fill(data, data + capacity, '\0');
  std::uint32_t type = 0;
  std::uint32_t size = capacity;
  const bool read = registry_.QueryValue(key_, names::kIsFirstUse, &type, data, &size).ok();
  CloseKey();
  return read;
}

_Fennimar_ReturnCode_ RegistryController::SetUsedStatus() {
  if (!OpenKey(names::kProductKey)) return RC_SYSTEM_ERROR;
  const bool written = WriteFirstUseFlag(registry_, key_, kFirstUseFlagCleared).ok();
  CloseKey();
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
