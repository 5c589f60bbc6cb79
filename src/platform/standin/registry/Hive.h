// Hive - an ordered list of registry keys, each holding ordered typed values,
// as the registry stand-in keeps HKEY_CURRENT_USER (HiveFormat stores it).
//
// Key and value names compare without regard to case, as on Windows; each
// keeps the spelling it was created with. Values keep their exact type and
// bytes.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVE_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "src/common/Status.h"
#include "src/platform/Registry.h"

namespace fennimar::platform {

// A value: its name (empty for the key's default value, "@" in the file),
// type and exact bytes, as the registry service gives it.
using HiveValue = RegistryValue;

class HiveKey {
 public:
  // The full path from the root, e.g. HKEY_CURRENT_USER\Software\Tarsel.
  const std::u16string& path() const { return path_; }
  const std::vector<HiveValue>& values() const { return values_; }

  const HiveValue* FindValue(std::u16string_view name) const;
  // Creates the value or replaces its type and data; a replaced value keeps its
  // place and its name's spelling. kInvalid for a name the file cannot hold.
  Status SetValue(std::u16string_view name, std::uint32_t type, std::string_view data);
  // False when there is no such value.
  bool DeleteValue(std::u16string_view name);

 private:
  friend class Hive;
  friend class HiveBuilder;
  explicit HiveKey(std::u16string path) : path_(std::move(path)) {}

  std::u16string path_;
  std::vector<HiveValue> values_;
};

// Every key's parent is in the hive too, up to the root ("HKEY_CURRENT_USER").
// Pointers to keys stay valid until the next CreateKey or DeleteKey.
class Hive {
 public:
  const std::vector<HiveKey>& keys() const { return keys_; }

  const HiveKey* FindKey(std::u16string_view path) const;
  HiveKey* FindKey(std::u16string_view path);
  // Finds the key or creates it and each missing key above it, as Windows
  // does. kInvalid for a malformed path (see CheckKeyPath).
  Status CreateKey(std::u16string_view path, HiveKey** key);
  // Removes the key with all its subkeys; false when there is no such key.
  bool DeleteKey(std::u16string_view path);
  // The full paths of the key's direct subkeys, in the hive's order.
  std::vector<std::u16string> ListSubkeys(std::u16string_view path) const;

 private:
  friend class HiveBuilder;

  std::vector<HiveKey> keys_;
};

// A key path is one or more names joined by backslashes: no empty name, none
// longer than 255 characters, at most 512 levels, no NUL or line break, not
// starting with '-', and well-formed UTF-16.
Status CheckKeyPath(std::u16string_view path);
// A value name is at most 16383 characters, has no NUL or line break and is
// well-formed UTF-16.
Status CheckValueName(std::u16string_view name);
// True when the names are equal without regard to case (per UTF-16 unit:
// ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and full-width letters).
bool NamesEqual(std::u16string_view a, std::u16string_view b);
// True when `path` is `ancestor` or lies below it.
bool IsSameOrBelow(std::u16string_view path, std::u16string_view ancestor);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVE_H_
