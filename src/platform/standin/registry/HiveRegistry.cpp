// HiveRegistry - HKEY_CURRENT_USER kept in a registry-editor export file,
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg ($HOME/.config/... when
// XDG_CONFIG_HOME is unset, empty or not absolute). The file's place is found
// afresh each time a key is opened below the root; an opened key stays in the
// file it was opened in. Every call reads the file anew, so other processes'
// changes are seen at once. A change is a read-modify-write under a lock file
// beside the hive, written atomically: processes that change different values
// lose none of them, and a file that cannot be parsed is never overwritten.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "src/common/Utf.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/Paths.h"
#include "src/platform/posix/ConfigFolder.h"
#include "src/platform/standin/registry/HiveFormat.h"
#include "src/platform/standin/StandIns.h"

namespace fennimar::platform {
namespace {

constexpr std::u16string_view kRootName = u"HKEY_CURRENT_USER";
constexpr std::u16string_view kHiveFolder = u"/fennimar";
constexpr std::u16string_view kHiveFile = u"/HKEY_CURRENT_USER.reg";
constexpr std::u16string_view kLockSuffix = u".lock";
constexpr unsigned kHiveFileMode = 0600;
// Windows numbers its predefined roots from 0x80000000 up.
constexpr RegKey kFirstPredefinedKey = 0x80000000u;
constexpr RegKey kLastPredefinedKey = 0x8000000Fu;
constexpr RegKey kFirstHandle = 0x100;

bool IsPredefined(RegKey key) { return key >= kFirstPredefinedKey && key <= kLastPredefinedKey; }

// Where an opened key lives: the hive file and the key's full path in it.
struct KeyPlace {
  std::u16string hive_path;
  std::u16string key_path;
};

Status HivePath(std::u16string* path) {
  std::string folder;
  if (!UserConfigFolder(&folder)) {
    return Status::NotFound("neither XDG_CONFIG_HOME nor HOME names a folder for the registry");
  }
  *path = Utf8ToUtf16(folder);
  path->append(kHiveFolder).append(kHiveFile);
  return Status::Ok();
}

// `base` followed by `subkey`; an empty subkey names `base` itself and one
// trailing backslash is ignored, as Windows does.
Status JoinSubkey(std::u16string_view base, std::u16string_view subkey, std::u16string* path) {
  if (!subkey.empty() && subkey.back() == u'\\') subkey.remove_suffix(1);
  *path = base;
  if (subkey.empty()) return Status::Ok();
  if (subkey.front() == u'\\') return Status::Invalid("a subkey path starts with a backslash");
  path->append(1, u'\\').append(subkey);
  return CheckKeyPath(*path);
}

bool IsRoot(std::u16string_view key_path) { return NamesEqual(key_path, kRootName); }

class HiveRegistry : public Registry {
 public:
  explicit HiveRegistry(FileSystem& files) : files_(files) {}

  Status OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t /*access*/,
                 RegKey* opened) override {
    if (opened == nullptr) return Status::Invalid("no place for the opened key");
    KeyPlace place;
    if (Status found = Locate(parent, subkey, &place); !found.ok()) return found;
    Hive hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    // The root exists even while the hive is empty.
    if (const HiveKey* key = hive.FindKey(place.key_path)) {
      place.key_path = key->path();
    } else if (!IsRoot(place.key_path)) {
      return Status::NotFound("no registry key " + Utf16ToUtf8(place.key_path));
    }
    *opened = AddHandle(std::move(place));
    return Status::Ok();
  }

  Status CreateKey(RegKey parent, std::u16string_view subkey, RegKey* created) override {
    if (created == nullptr) return Status::Invalid("no place for the created key");
    KeyPlace place;
    if (Status found = Locate(parent, subkey, &place); !found.ok()) return found;
    const Status changed = ChangeHive(place.hive_path, [&](Hive& hive, bool* write) {
      *write = hive.FindKey(place.key_path) == nullptr;
      HiveKey* key = nullptr;
      if (Status made = hive.CreateKey(place.key_path, &key); !made.ok()) return made;
      place.key_path = key->path();
      return Status::Ok();
    });
    if (!changed.ok()) return changed;
    *created = AddHandle(std::move(place));
    return Status::Ok();
  }

  // A null `data` asks for the type and size only, as Windows allows.
  Status QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override {
    if (size == nullptr) return Status::Invalid("no size for the value");
    KeyPlace place;
    if (Status found = Find(key, &place); !found.ok()) return found;
    Hive hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    const HiveKey* found_key = hive.FindKey(place.key_path);
    const HiveValue* value = found_key ? found_key->FindValue(name) : nullptr;
    if (value == nullptr) return Status::NotFound("no registry value " + Utf16ToUtf8(name));
    const std::uint32_t capacity = *size;
    *size = static_cast<std::uint32_t>(value->data.size());
    if (type != nullptr) *type = value->type;
    if (data == nullptr) return Status::Ok();
    if (value->data.size() > capacity) {
      return Status::TooLarge("the value " + Utf16ToUtf8(name) + " needs " +
                              std::to_string(value->data.size()) + " bytes");
    }
    if (!value->data.empty()) std::memcpy(data, value->data.data(), value->data.size());
    return Status::Ok();
  }

  Status SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override {
    if (data == nullptr && size > 0) return Status::Invalid("no data for the value");
    if (Status checked = CheckValueName(name); !checked.ok()) return checked;
    KeyPlace place;
    if (Status found = Find(key, &place); !found.ok()) return found;
    const std::string_view bytes(static_cast<const char*>(data), data ? size : 0);
    return ChangeHive(place.hive_path, [&](Hive& hive, bool* write) {
      HiveKey* target = hive.FindKey(place.key_path);
      if (target == nullptr && IsRoot(place.key_path)) {
        if (Status made = hive.CreateKey(place.key_path, &target); !made.ok()) return made;
      }
      // Another process may have deleted the key since it was opened.
      if (target == nullptr) {
        return Status::NotFound("the key " + Utf16ToUtf8(place.key_path) + " is gone");
      }
      *write = true;
      return target->SetValue(name, type, bytes);
    });
  }

  Status CloseKey(RegKey key) override {
    if (IsPredefined(key)) return Status::Ok();
    std::lock_guard<std::mutex> guard(mutex_);
    if (handles_.erase(key) == 0) return Status::Invalid("not an open registry key");
    return Status::Ok();
  }

 private:
  using Change = std::function<Status(Hive& hive, bool* write)>;

  // The file and key path of an open key or of the root.
  Status Find(RegKey key, KeyPlace* place) {
    if (key == kHkeyCurrentUser) {
      place->key_path = kRootName;
      return HivePath(&place->hive_path);
    }
    if (IsPredefined(key)) return Status::NotFound("only HKEY_CURRENT_USER is kept");
    std::lock_guard<std::mutex> guard(mutex_);
    const auto found = handles_.find(key);
    if (found == handles_.end()) return Status::Invalid("not an open registry key");
    *place = found->second;
    return Status::Ok();
  }

  Status Locate(RegKey parent, std::u16string_view subkey, KeyPlace* place) {
    if (Status found = Find(parent, place); !found.ok()) return found;
    const std::u16string base = std::move(place->key_path);
    return JoinSubkey(base, subkey, &place->key_path);
  }

  RegKey AddHandle(KeyPlace place) {
    std::lock_guard<std::mutex> guard(mutex_);
    RegKey handle = next_handle_;
    while (handle == kNullKey || IsPredefined(handle) || handles_.count(handle) != 0) handle += 4;
    next_handle_ = handle + 4;
    handles_.emplace(handle, std::move(place));
    return handle;
  }

  // A missing file is an empty hive.
  Status ReadHive(const std::u16string& hive_path, Hive* hive) {
    std::string bytes;
    const Status read = files_.ReadFile(hive_path, kMaxHiveBytes, &bytes);
    if (read.IsNotFound()) return Status::Ok();
    if (read.code() == Status::Code::kTooLarge) {
      return Status::Corrupt(Utf16ToUtf8(hive_path) + " is larger than a hive file may be");
    }
    if (!read.ok()) return read;
    const Status parsed = ParseHive(bytes, hive);
    if (!parsed.ok()) return Status::Corrupt(Utf16ToUtf8(hive_path) + ": " + parsed.message());
    return Status::Ok();
  }

  // Reads the hive under the lock, lets `change` modify it and writes it back
  // when `change` asks to.
  Status ChangeHive(const std::u16string& hive_path, const Change& change) {
    if (Status folder = MakeFolder(ParentFolder(hive_path)); !folder.ok()) return folder;
    std::unique_ptr<FileLock> lock;
    if (Status locked = files_.LockFile(hive_path + std::u16string(kLockSuffix), &lock);
        !locked.ok()) {
      return locked;
    }
    Hive hive;
    if (Status read = ReadHive(hive_path, &hive); !read.ok()) return read;
    bool write = false;
    if (Status changed = change(hive, &write); !changed.ok() || !write) return changed;
    const std::string bytes = SerializeHive(hive);
    if (bytes.size() > kMaxHiveBytes) {
      return Status::TooLarge("the change would make " + Utf16ToUtf8(hive_path) + " too large");
    }
    return WriteFileAtomically(files_, hive_path, bytes, kHiveFileMode);
  }

  // Creates the hive's folder, and the configuration folder above it when
  // that is missing too.
  Status MakeFolder(const std::u16string& folder) {
    if (files_.PathExists(folder)) return Status::Ok();
    const std::u16string config = ParentFolder(folder);
    if (!files_.PathExists(config)) {
      const Status made = files_.CreateDirectory(config);
      if (!made.ok() && !files_.PathExists(config)) return made;
    }
    const Status made = files_.CreateDirectory(folder);
    // Another process may have created it meanwhile.
    return made.ok() || files_.PathExists(folder) ? Status::Ok() : made;
  }

  FileSystem& files_;
  std::mutex mutex_;  // guards the handle table
  std::unordered_map<RegKey, KeyPlace> handles_;
  RegKey next_handle_ = kFirstHandle;
};

}  // namespace

std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files) {
  return std::make_unique<HiveRegistry>(files);
}

}  // namespace fennimar::platform
