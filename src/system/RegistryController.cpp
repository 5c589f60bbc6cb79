#include "src/system/RegistryController.h"

#include "src/common/Names.h"

namespace fennimar {
namespace {

// The flag is a REG_DWORD: 4 bytes, low byte first, whatever the host's order.
constexpr unsigned char kNotUsedYet[4] = {1, 0, 0, 0};
constexpr unsigned char kUsed[4] = {0, 0, 0, 0};

std::uint32_t FromLittleEndian(const unsigned char (&bytes)[4]) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
}

}  // namespace

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
void RegistryController::SeedProductKey() {
  platform::RegKey created = platform::kNullKey;
  if (!registry_.CreateKey(platform::kHkeyCurrentUser, names::kProductKey, &created).ok()) return;
  (void)registry_.SetValue(created, names::kIsFirstUse, platform::kRegDword, kNotUsedYet,
                           sizeof kNotUsedYet);
  (void)registry_.CloseKey(created);
}

_Fennimar_ReturnCode_ RegistryController::GetUsedStatus(std::uint32_t& status) {
  if (!OpenKey(names::kProductKey)) {
    SeedProductKey();
    if (!OpenKey(names::kProductKey)) {
      key_ = platform::kNullKey;
      return RC_SYSTEM_ERROR;
    }
  }
  // A value shorter than 4 bytes fills only its own bytes; the rest stay 0.
  unsigned char data[4] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof data;
  const bool read = registry_.QueryValue(key_, names::kIsFirstUse, &type, data, &size).ok();
  if (read) status = FromLittleEndian(data);
  CloseKey();
  return read ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

_Fennimar_ReturnCode_ RegistryController::SetUsedStatus() {
  if (!OpenKey(names::kProductKey)) return RC_SYSTEM_ERROR;
  const bool written =
      registry_.SetValue(key_, names::kIsFirstUse, platform::kRegDword, kUsed, sizeof kUsed).ok();
  CloseKey();
  return written ? RC_SUCCESS : RC_SYSTEM_ERROR;
}

}  // namespace fennimar
