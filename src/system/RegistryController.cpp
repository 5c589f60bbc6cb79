#include "src/system/RegistryController.h"

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
  if (!OpenKey(subkey)) return false;
  std::uint32_t type = 0;
  const bool read = registry_.QueryValue(key_, name, &type, data, size).ok();
  CloseKey();
  return read;
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

_Fennimar_ReturnCode_ RegistryController::GetUsedStatus(std::uint32_t& status) {
  if (!OpenKey(names::kProductKey)) {
    SeedProductKey();
    if (!OpenKey(names::kProductKey)) {
      key_ = platform::kNullKey;
      return RC_SYSTEM_ERROR;
    }
  }
  // A value shorter than 4 bytes fills only its own bytes; the rest stay 0.
  char data[kDwordBytes] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof data;
  const bool read = registry_.QueryValue(key_, names::kIsFirstUse, &type, data, &size).ok();
  if (read)
    status = static_cast<std::uint32_t>(NumberFromBytes(std::string_view(data, sizeof data)));
  CloseKey();
  return read ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

_Fennimar_ReturnCode_ RegistryController::SetUsedStatus() {
  if (!OpenKey(names::kProductKey)) return RC_SYSTEM_ERROR;
  const bool written = WriteFirstUseFlag(registry_, key_, kFirstUseFlagCleared).ok();
  CloseKey();
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
