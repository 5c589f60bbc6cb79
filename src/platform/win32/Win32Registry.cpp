// Win32Registry - the registry service on the system's registry. A RegKey
// holds the HKEY's pointer value. The predefined roots are the exception:
// Windows defines them as 32-bit values sign-extended to a pointer
// (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 in a 64-bit process), while the
// library spells them zero-extended (kHkeyCurrentUser is 0x80000001), so the
// roots are mapped on the way in. Handles the registry gives out are small
// and never fall in that range.
#include "src/platform/win32/Win32Api.h"

#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"
#include "src/common/WideText.h"

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
    const LSTATUS result =
        ::RegQueryValueExW(ToHkey(key), Wide(name).c_str(), nullptr, &value_type,
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

  Status CloseKey(RegKey key) override {
    if (IsPredefinedRoot(key)) return Status::Ok();
    return RegistryStatus("RegCloseKey", u"", ::RegCloseKey(ToHkey(key)));
  }
};

}  // namespace

std::unique_ptr<Registry> NewWin32Registry() { return std::make_unique<Win32Registry>(); }

}  // namespace fennimar::platform
