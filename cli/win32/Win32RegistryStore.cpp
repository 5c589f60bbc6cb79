// The registry on Windows: the system's registry below HKEY_CURRENT_USER.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/Errors.h"
#include "cli/RegistryStore.h"
#include "src/common/WideText.h"
#include "cli/win32/Win32Text.h"

namespace fennimar::cli {
namespace {

using platform::Hive;
using platform::HiveKey;

constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER";
// Deeper than any key can be (512 levels).
constexpr int kAllLevels = 1000;

// The path below HKEY_CURRENT_USER: "" for the root itself.
std::wstring Subkey(std::u16string_view path) {
  if (path.size() <= kRoot.size()) return std::wstring();
  return Wide(path.substr(kRoot.size() + 1));
}

// Closes the key when it goes.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

[[noreturn]] void FailWrite(const std::string& what, LSTATUS status) {
  Fail(Exit::kWrite, what + ": " + SystemErrorText(static_cast<DWORD>(status)));
}

[[noreturn]] void FailRead(const std::string& what, LSTATUS status) {
  Fail(Exit::kDocument, what + ": " + SystemErrorText(static_cast<DWORD>(status)));
}

void ReadValues(HKEY key, HiveKey* into) {
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
    if (read != ERROR_SUCCESS)
      FailRead("cannot read a value of " + Utf16ToUtf8(into->path()), read);
    const std::u16string value_name(name.begin(), name.begin() + name_size);
    // A name the export format cannot hold is left out of what is shown.
    (void)into->SetValue(value_name, type, std::string_view(data.data(), data_size));
  }
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
  DWORD count = 0, longest = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
  std::vector<std::wstring> names;
  std::wstring name(longest + 1, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    if (::RegEnumKeyExW(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name.data(), size);
  }
  return names;
}

// Copies the key at `path` into `hive` with its values, and its subkeys
// `levels` deep.
void CopyKey(const std::u16string& path, int levels, Hive* hive) {
  OpenKey key;
  const LSTATUS opened =
      ::RegOpenKeyExW(HKEY_CURRENT_USER, Subkey(path).c_str(), 0, KEY_READ, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return;
  if (opened != ERROR_SUCCESS) FailRead("cannot open " + Utf16ToUtf8(path), opened);
  HiveKey* copy = nullptr;
  if (!hive->CreateKey(path, &copy).ok()) return;  // a name the export format cannot hold
  ReadValues(key.get(), copy);
  if (levels == 0) return;
  for (const std::wstring& name : SubkeyNames(key.get())) {
    const std::u16string subkey = path + u"\\" + std::u16string(name.begin(), name.end());
    if (levels > 1) {
      CopyKey(subkey, levels - 1, hive);
    } else {
      HiveKey* ignored = nullptr;
      (void)hive->CreateKey(subkey, &ignored);
    }
  }
}

class Win32RegistryStore : public RegistryStore {
 public:
  Hive ReadKey(std::u16string_view path) override {
    Hive hive;
    CopyKey(std::u16string(path), 1, &hive);
    return hive;
  }

  Hive ReadAll() override {
    Hive hive;
    CopyKey(std::u16string(kRoot), kAllLevels, &hive);
    return hive;
  }

  void SetValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                const std::string& data) override {
    OpenKey key;
    const LSTATUS created = ::RegCreateKeyExW(HKEY_CURRENT_USER, Subkey(path).c_str(), 0, nullptr,
                                              0, KEY_SET_VALUE, nullptr, key.out(), nullptr);
    if (created != ERROR_SUCCESS) FailWrite("cannot create " + Utf16ToUtf8(path), created);
    const LSTATUS set = ::RegSetValueExW(key.get(), Wide(name).c_str(), 0, type,
                                         reinterpret_cast<const BYTE*>(data.data()),
                                         static_cast<DWORD>(data.size()));
    if (set != ERROR_SUCCESS) FailWrite("cannot set the value", set);
  }

  Deleted DeleteValue(std::u16string_view path, std::u16string_view name) override {
    OpenKey key;
    const LSTATUS opened =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, Subkey(path).c_str(), 0, KEY_SET_VALUE, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return Deleted::kNoKey;
    if (opened != ERROR_SUCCESS) FailWrite("cannot open " + Utf16ToUtf8(path), opened);
    const LSTATUS deleted = ::RegDeleteValueW(key.get(), Wide(name).c_str());
    if (deleted == ERROR_FILE_NOT_FOUND) return Deleted::kNoValue;
    if (deleted != ERROR_SUCCESS) FailWrite("cannot delete the value", deleted);
    return Deleted::kDone;
  }

  Deleted DeleteKey(std::u16string_view path) override {
    const std::wstring subkey = Subkey(path);
    LSTATUS deleted = ::RegDeleteTreeW(HKEY_CURRENT_USER, subkey.c_str());
    if (deleted == ERROR_FILE_NOT_FOUND) return Deleted::kNoKey;
    if (deleted == ERROR_SUCCESS) deleted = ::RegDeleteKeyW(HKEY_CURRENT_USER, subkey.c_str());
    // RegDeleteTreeW may already have taken the key itself.
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
      FailWrite("cannot delete " + Utf16ToUtf8(path), deleted);
    }
    return Deleted::kDone;
  }
};

}  // namespace

std::unique_ptr<RegistryStore> OpenRegistry() { return std::make_unique<Win32RegistryStore>(); }

std::string InRegistry() { return "in the registry"; }

const char* RegistryHelp() { return "The registry is the system's registry."; }

}  // namespace fennimar::cli
