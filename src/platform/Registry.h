// Registry - the registry service: keys below HKEY_CURRENT_USER holding typed
// values. On Windows it is the system's registry; elsewhere a stand-in with the
// same results.
#ifndef FENNIMAR_PLATFORM_REGISTRY_H_
#define FENNIMAR_PLATFORM_REGISTRY_H_

#include <cstdint>
#include <string_view>

#include "src/common/Status.h"

namespace fennimar::platform {

// An open key. Predefined roots have the values Windows gives them.
using RegKey = std::uintptr_t;
inline constexpr RegKey kNullKey = 0;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;

// Value types, numbered as Windows numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Full access to a key (KEY_ALL_ACCESS).
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing subkey of `parent`; kNotFound when it does not exist.
  virtual Status OpenKey(RegKey parent, std::u16string_view subkey,
                         std::uint32_t access, RegKey* opened) = 0;
  // Creates the subkey (and the keys above it) or opens it if it exists.
  virtual Status CreateKey(RegKey parent, std::u16string_view subkey,
                           RegKey* created) = 0;
  // Reads a value into `data`, whose capacity in bytes `*size` gives on entry;
  // on success `*size` is the value's size and `*type` its type. Data larger
  // than the capacity gives kTooLarge, still with the value's size and type,
  // and leaves `data` undefined. A missing value gives kNotFound.
  virtual Status QueryValue(RegKey key, std::u16string_view name,
                            std::uint32_t* type, void* data,
                            std::uint32_t* size) = 0;
  // Creates or replaces a value with exactly these bytes. (The Windows
  // registry adds a terminating zero unit to string data that lacks one.)
  virtual Status SetValue(RegKey key, std::u16string_view name,
                          std::uint32_t type, const void* data,
                          std::uint32_t size) = 0;
  // Closes a key that OpenKey or CreateKey gave. Closing a predefined root
  // succeeds and does nothing.
  virtual Status CloseKey(RegKey key) = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_REGISTRY_H_
