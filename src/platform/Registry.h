// Registry - the registry service: keys below HKEY_CURRENT_USER holding typed
// values. On Windows it is the system's registry; elsewhere a stand-in with the
// same results.
#ifndef FENNIMAR_PLATFORM_REGISTRY_H_
#define FENNIMAR_PLATFORM_REGISTRY_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Deeper than any key can lie (512 levels), for reading a whole tree.
inline constexpr int kAllLevels = 1000;

// A value with its exact bytes.
struct RegistryValue {
  std::u16string name;  // empty: the key's default value
  std::uint32_t type = 0;
  std::string data;
};

// A key that ReadTree gives: its path relative to the key ReadTree was given
// as `parent` ("" for that key itself), spelled as the registry keeps the
// names (where it keeps no spelling, the subkey as it was asked for), and its
// values in the registry's order.
struct RegistryKeyData {
  std::u16string path;
  std::vector<RegistryValue> values;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing subkey of `parent`; kNotFound when it does not exist.
  virtual Status OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                         RegKey* opened) = 0;
  // Creates the subkey (and the keys above it) or opens it if it exists.
  virtual Status CreateKey(RegKey parent, std::u16string_view subkey, RegKey* created) = 0;
  // Reads a value into `data`, whose capacity in bytes `*size` gives on entry;
  // on success `*size` is the value's size and `*type` its type. Data larger
  // than the capacity gives kTooLarge, still with the value's size and type,
  // and leaves `data` undefined. A missing value gives kNotFound.
  virtual Status QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type, void* data,
                            std::uint32_t* size) = 0;
  // OpenKey of `subkey` below `parent` with full access, QueryValue of `name`
  // and CloseKey in one call (as RegGetValue), with their results. A backend
  // that keeps the registry in a file answers from one reading of it.
  virtual Status GetValue(RegKey parent, std::u16string_view subkey, std::u16string_view name,
                          std::uint32_t* type, void* data, std::uint32_t* size);
  // Creates or replaces a value with exactly these bytes. (The Windows
  // registry adds a terminating zero unit to string data that lacks one.)
  virtual Status SetValue(RegKey key, std::u16string_view name, std::uint32_t type,
                          const void* data, std::uint32_t size) = 0;
  // Reads the existing `subkey` of `parent` (empty: `parent` itself) with its
  // values, and the keys below it down to `levels` levels (0: none, 1: its
  // direct subkeys), each with its values. Keys come in the registry's order,
  // each before the keys below it. kNotFound when the subkey does not exist.
  virtual Status ReadTree(RegKey parent, std::u16string_view subkey, int levels,
                          std::vector<RegistryKeyData>* keys);
  // Deletes a value; kNotFound when the key has no such value.
  virtual Status DeleteValue(RegKey key, std::u16string_view name);
  // Deletes the `subkey` of `parent` with everything below it; kNotFound when
  // it does not exist.
  virtual Status DeleteTree(RegKey parent, std::u16string_view subkey);
  // Closes a key that OpenKey or CreateKey gave. Closing a predefined root
  // succeeds and does nothing.
  virtual Status CloseKey(RegKey key) = 0;
};

// By default GetValue makes the three calls, each of them overridable.
inline Status Registry::GetValue(RegKey parent, std::u16string_view subkey,
                                 std::u16string_view name, std::uint32_t* type, void* data,
                                 std::uint32_t* size) {
  RegKey key = kNullKey;
  if (Status opened = OpenKey(parent, subkey, kKeyAllAccess, &key); !opened.ok()) return opened;
  const Status read = QueryValue(key, name, type, data, size);
  (void)CloseKey(key);  // the value is read; a failed close changes nothing
  return read;
}

// A registry that only keeps values (a test's fake) needs not read trees nor
// delete: these give kInvalid unless it overrides them.
inline Status Registry::ReadTree(RegKey, std::u16string_view, int, std::vector<RegistryKeyData>*) {
  return Status::Invalid("this registry cannot read a tree of keys");
}
inline Status Registry::DeleteValue(RegKey, std::u16string_view) {
  return Status::Invalid("this registry cannot delete a value");
}
inline Status Registry::DeleteTree(RegKey, std::u16string_view) {
  return Status::Invalid("this registry cannot delete a key");
}

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_REGISTRY_H_
