// The command's registry on the library's registry service: paths from the
// root become subkeys of HKEY_CURRENT_USER, and "not found" becomes the
// command's own answers.
#include "cli/RegistryStore.h"

#include <string>

#include "src/common/Names.h"
#include "src/system/FirstUseFlag.h"

namespace fennimar::cli {
namespace {

using platform::kHkeyCurrentUser;
using platform::RegKey;

constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER";

// The path below HKEY_CURRENT_USER: "" for the root itself.
std::u16string_view Subkey(std::u16string_view path) {
  return path.size() <= kRoot.size() ? std::u16string_view() : path.substr(kRoot.size() + 1);
}

bool IsNotFound(const Status& status) { return status.code() == Status::Code::kNotFound; }

// `path` followed by the relative path `below`.
std::u16string Below(std::u16string_view path, std::u16string_view below) {
  std::u16string full(path);
  if (!below.empty()) full.append(1, u'\\').append(below);
  return full;
}

// Keeps the keys and values the export format can hold.
void KeepWritable(std::vector<platform::RegistryKeyData>* keys) {
  std::vector<platform::RegistryKeyData> kept;
  for (auto& key : *keys) {
    if (!platform::CheckKeyPath(Below(kRoot, key.path)).ok()) continue;
    auto& copy = kept.emplace_back(platform::RegistryKeyData{std::move(key.path), {}});
    for (auto& value : key.values) {
      if (platform::CheckValueName(value.name).ok()) copy.values.push_back(std::move(value));
    }
  }
  *keys = std::move(kept);
}

// An open key, closed when it goes.
class Key {
 public:
  Key(platform::Registry& registry, RegKey key) : registry_(registry), key_(key) {}
  ~Key() { (void)registry_.CloseKey(key_); }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  RegKey get() const { return key_; }

 private:
  platform::Registry& registry_;
  RegKey key_;
};

}  // namespace

RegistryStore::RegistryStore() : platform_(OpenPlatformRegistry()) {}

RegistryStore::~RegistryStore() = default;

platform::Hive RegistryStore::ReadKey(std::u16string_view path) {
  std::vector<platform::RegistryKeyData> keys;
  const Status read = platform_->registry().ReadTree(kHkeyCurrentUser, Subkey(path), 1, &keys);
  platform::Hive hive;
  if (IsNotFound(read)) return hive;
  if (!read.ok()) platform_->Fail(RegistryStep::kRead, std::u16string(path), read);
  for (const auto& key : keys) {
    platform::HiveKey* copy = nullptr;
    const std::u16string full = Below(kRoot, key.path);
    if (!hive.CreateKey(full, &copy).ok()) continue;  // a name the export format cannot hold
    for (const auto& value : key.values) (void)copy->SetValue(value.name, value.type, value.data);
  }
  return hive;
}

std::vector<platform::RegistryKeyData> RegistryStore::ReadAll() {
  std::vector<platform::RegistryKeyData> keys;
  const Status read =
      platform_->registry().ReadTree(kHkeyCurrentUser, u"", platform::kAllLevels, &keys);
  if (!read.ok()) platform_->Fail(RegistryStep::kRead, std::u16string(kRoot), read);
  KeepWritable(&keys);
  return keys;
}

void RegistryStore::SetValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                             const std::string& data) {
  platform::Registry& registry = platform_->registry();
  RegKey created = platform::kNullKey;
  const Status made = registry.CreateKey(kHkeyCurrentUser, Subkey(path), &created);
  if (!made.ok()) platform_->Fail(RegistryStep::kCreate, std::u16string(path), made);
  const Key key(registry, created);
  const Status set = registry.SetValue(key.get(), name, type, data.data(),
                                       static_cast<std::uint32_t>(data.size()));
  if (!set.ok()) platform_->Fail(RegistryStep::kSet, std::u16string(path), set);
}

RegistryStore::Deleted RegistryStore::DeleteValue(std::u16string_view path,
                                                  std::u16string_view name) {
  platform::Registry& registry = platform_->registry();
  RegKey opened = platform::kNullKey;
  const Status open =
      registry.OpenKey(kHkeyCurrentUser, Subkey(path), platform::kKeyAllAccess, &opened);
  if (IsNotFound(open)) return Deleted::kNoKey;
  if (!open.ok()) platform_->Fail(RegistryStep::kOpen, std::u16string(path), open);
  const Key key(registry, opened);
  const Status deleted = registry.DeleteValue(key.get(), name);
  if (IsNotFound(deleted)) return Deleted::kNoValue;
  if (!deleted.ok()) platform_->Fail(RegistryStep::kDeleteValue, std::u16string(path), deleted);
  return Deleted::kDone;
}

RegistryStore::Deleted RegistryStore::DeleteKey(std::u16string_view path) {
  const Status deleted = platform_->registry().DeleteTree(kHkeyCurrentUser, Subkey(path));
  if (IsNotFound(deleted)) return Deleted::kNoKey;
  if (!deleted.ok()) platform_->Fail(RegistryStep::kDeleteKey, std::u16string(path), deleted);
  return Deleted::kDone;
}

void RegistryStore::SetFirstUseFlag() {
  const Status set = CreateFirstUseFlag(platform_->registry(), kFirstUseFlagSet);
  if (!set.ok()) platform_->Fail(RegistryStep::kCreate, Below(kRoot, names::kProductKey), set);
}

std::unique_ptr<RegistryStore> OpenRegistry() { return std::make_unique<RegistryStore>(); }

}  // namespace fennimar::cli
