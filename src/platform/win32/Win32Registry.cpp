// Win32Registry - the registry service on the system's registry. A RegKey
// holds the HKEY's pointer value. The predefined roots are the exception:
// Windows defines them as 32-bit values sign-extended to a pointer
// (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 in a 64-bit process), while the
// library spells them zero-extended (kHkeyCurrentUser is 0x80000001), so the
// roots are mapped on the way in. Handles the registry gives out are small
// and never fall in that range.
#include <memory>
#include <string>
#include <vector>

#include "src/common/WideText.h"
#include "src/platform/win32/Win32Api.h"
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::platform {
namespace {

// HKEY_CLASSES_ROOT through HKEY_CURRENT_USER_LOCAL_SETTINGS.
constexpr RegKey kFirstRoot = 0x80000000u;
constexpr RegKey kLastRoot = 0x80000007u;

bool IsPredefinedRoot(RegKey key) { return key >= kFirstRoot && key <= kLastRoot; }

HKEY ToHkey(RegKey key) {
  if (IsPredefinedRoot(key)) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

// Registry calls return their error instead of setting the last error.
Status RegistryStatus(const char* operation, std::u16string_view name, LSTATUS result) {
  if (result == ERROR_SUCCESS) return Status::Ok();
  return Win32Status(operation, name, static_cast<DWORD>(result));
}

bool IsStringType(std::uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// RegSetValueExW looks at the unit just behind string data that does not end
// with a zero unit, and when that unit is zero it stores one more unit: the
// terminator. A wide string in memory always has its zero unit behind it, so
// the data is passed that way, and what is stored never depends on whatever
// memory happens to follow the caller's bytes: n units without a terminator
// are stored as 2n + 2 bytes.
std::string WithZeroUnitBehind(const void* data, std::uint32_t size) {
  std::string copy(static_cast<const char*>(data), size);
  copy.append(2, '\0');
  return copy;
}

Status CheckName(std::u16string_view name) {
  return HasNul(name) ? Status::Invalid("registry name contains a NUL character") : Status::Ok();
}

// Closes the key when it goes.
class OpenedKey {
 public:
  OpenedKey() = default;
  ~OpenedKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The key's values, in the registry's order.
Status ReadValues(HKEY key, std::vector<RegistryValue>* values) {
  DWORD count = 0, longest_name = 0, largest_data = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                     &longest_name, &largest_data, nullptr, nullptr);
  std::wstring name(longest_name + 1, L'\0');
  std::string data(largest_data, '\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD name_size = static_cast<DWORD>(name.size());
    DWORD data_size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LSTATUS read = ::RegEnumValueW(key, i, name.data(), &name_size, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &data_size);
    if (read == ERROR_NO_MORE_ITEMS) break;
    if (read != ERROR_SUCCESS) return RegistryStatus("RegEnumValueW", u"", read);
    values->push_back(
        RegistryValue{FromWide(name.data(), name_size), type, std::string(data.data(), data_size)});
  }
  return Status::Ok();
}

// The names of the key's direct subkeys.
std::vector<std::u16string> SubkeyNames(HKEY key) {
  DWORD count = 0, longest = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
  std::vector<std::u16string> names;
  std::wstring name(longest + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    if (::RegEnumKeyExW(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.push_back(FromWide(name.data(), size));
  }
  return names;
}

// Appends the key `subkey` of `parent` (named `path` in the tree) with its
// values, then the keys below it `levels` deep.
Status ReadKeyTree(HKEY parent, std::u16string_view subkey, const std::u16string& path, int levels,
                   std::vector<RegistryKeyData>* keys) {
  OpenedKey key;
  Status status =
      RegistryStatus("RegOpenKeyExW", subkey,
                     ::RegOpenKeyExW(parent, Wide(subkey).c_str(), 0, KEY_READ, key.out()));
  if (!status.ok()) return status;
  keys->push_back(RegistryKeyData{path, {}});
  status = ReadValues(key.get(), &keys->back().values);
  if (!status.ok() || levels == 0) return status;
  for (const std::u16string& name : SubkeyNames(key.get())) {
    status =
        ReadKeyTree(key.get(), name, path.empty() ? name : path + u'\\' + name, levels - 1, keys);
    // A key deleted meanwhile is left out.
    if (!status.ok() && status.code() != Status::Code::kNotFound) return status;
  }
  return Status::Ok();
}

class Win32Registry : public Registry {
 public:
  Status OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                 RegKey* opened) override {
    Status status = CheckName(subkey);
    if (!status.ok()) return status;
    HKEY key = nullptr;
    status = RegistryStatus("RegOpenKeyExW", subkey,
                            ::RegOpenKeyExW(ToHkey(parent), Wide(subkey).c_str(), 0,
                                            static_cast<REGSAM>(access), &key));
    if (status.ok()) *opened = FromHkey(key);
    return status;
  }

  Status CreateKey(RegKey parent, std::u16string_view subkey, RegKey* created) override {
    Status status = CheckName(subkey);
    if (!status.ok()) return status;
    HKEY key = nullptr;
    status = RegistryStatus("RegCreateKeyW", subkey,
                            ::RegCreateKeyW(ToHkey(parent), Wide(subkey).c_str(), &key));
    if (status.ok()) *created = FromHkey(key);
    return status;
  }

  // ERROR_MORE_DATA says the value does not fit `*size` bytes; the registry
  // still reports the value's type and its size.
  Status QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override {
    Status status = CheckName(name);
    if (!status.ok()) return status;
    DWORD value_type = REG_NONE;
    DWORD value_size = *size;
    const LSTATUS result = ::RegQueryValueExW(ToHkey(key), Wide(name).c_str(), nullptr, &value_type,
                                              static_cast<BYTE*>(data), &value_size);
    if (result == ERROR_MORE_DATA) {
      status = Status::TooLarge("RegQueryValueExW: the value needs " + std::to_string(value_size) +
                                " bytes, more than " + std::to_string(*size));
    } else {
      status = RegistryStatus("RegQueryValueExW", name, result);
    }
    if (status.ok() || status.code() == Status::Code::kTooLarge) {
      if (type != nullptr) *type = value_type;
      *size = value_size;
    }
    return status;
  }

  // String data goes with a zero unit behind it; see WithZeroUnitBehind.
  Status SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override {
    Status status = CheckName(name);
    if (!status.ok()) return status;
    std::string copy;
    if (IsStringType(type) && size != 0) {
      copy = WithZeroUnitBehind(data, size);
      data = copy.data();
    }
    return RegistryStatus("RegSetValueExW", name,
                          ::RegSetValueExW(ToHkey(key), Wide(name).c_str(), 0, type,
                                           static_cast<const BYTE*>(data), size));
  }

  Status ReadTree(RegKey parent, std::u16string_view subkey, int levels,
                  std::vector<RegistryKeyData>* keys) override {
    Status status = CheckName(subkey);
    if (!status.ok()) return status;
    return ReadKeyTree(ToHkey(parent), subkey, std::u16string(subkey), levels, keys);
  }

  Status DeleteValue(RegKey key, std::u16string_view name) override {
    Status status = CheckName(name);
    if (!status.ok()) return status;
    return RegistryStatus("RegDeleteValueW", name,
                          ::RegDeleteValueW(ToHkey(key), Wide(name).c_str()));
  }

  // RegDeleteTreeW empties the key and may take the key itself too.
  Status DeleteTree(RegKey parent, std::u16string_view subkey) override {
    Status status = CheckName(subkey);
    if (!status.ok()) return status;
    const std::wstring name = Wide(subkey);
    LSTATUS deleted = ::RegDeleteTreeW(ToHkey(parent), name.c_str());
    if (deleted == ERROR_SUCCESS) {
      deleted = ::RegDeleteKeyW(ToHkey(parent), name.c_str());
      if (deleted == ERROR_FILE_NOT_FOUND) deleted = ERROR_SUCCESS;
    }
    return RegistryStatus("RegDeleteTreeW", subkey, deleted);
  }

  Status CloseKey(RegKey key) override {
    if (IsPredefinedRoot(key)) return Status::Ok();
    return RegistryStatus("RegCloseKey", u"", ::RegCloseKey(ToHkey(key)));
  }
};

}  // namespace

std::unique_ptr<Registry> NewWin32Registry() { return std::make_unique<Win32Registry>(); }

Status UseKeyAsCurrentUser(std::u16string_view subkey) {
  HKEY key = nullptr;
  const LSTATUS created = ::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(subkey).c_str(), 0, nullptr, 0,
                                            KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (created != ERROR_SUCCESS) {
    return Status::IoError("cannot open HKEY_CURRENT_USER\\" + Utf8FromWide(Wide(subkey)) + ": " +
                           SystemErrorText(static_cast<DWORD>(created)));
  }
  const LSTATUS overridden = ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
  ::RegCloseKey(key);  // the override holds a handle of its own
  if (overridden != ERROR_SUCCESS) {
    return Status::IoError("cannot use it in place of HKEY_CURRENT_USER: " +
                           SystemErrorText(static_cast<DWORD>(overridden)));
  }
  return Status::Ok();
}

}  // namespace fennimar::platform
