// HiveRegistry - HKEY_CURRENT_USER kept in the registry file (HiveFile.h says
// where it lives and how it is read and changed). The file's place is found
// afresh each time a key is opened below the root; an opened key stays in the
// file it was opened in. Every call reads the file anew, so other processes'
// changes are seen at once; only the parse is skipped when the file holds the
// very bytes parsed last.
#include "src/platform/standin/registry/HiveRegistry.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "src/common/Utf.h"
#include "src/platform/standin/StandIns.h"
#include "src/platform/standin/registry/HiveFile.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::platform {
namespace {

constexpr std::u16string_view kRootName = u"HKEY_CURRENT_USER";
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

// A hive file too large or unparsable is damaged: kCorrupt, naming the file.
Status AsDamaged(const std::u16string& hive_path, const Status& read) {
  if (read.code() == Status::Code::kTooLarge) return Status::Corrupt(read.message());
  if (read.code() == Status::Code::kCorrupt) {
    return Status::Corrupt(Utf16ToUtf8(hive_path) + ": " + read.message());
  }
  return read;
}

// The levels from `ancestor` down to `path`, which lies below it.
int LevelsBelow(std::u16string_view path, std::u16string_view ancestor) {
  return static_cast<int>(
      std::count(path.begin() + static_cast<std::ptrdiff_t>(ancestor.size()), path.end(), u'\\'));
}

class HiveRegistry : public Registry {
 public:
  HiveRegistry(FileSystem& files, HiveFileFailure* failure) : files_(files), failure_(failure) {}

  Status OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t /*access*/,
                 RegKey* opened) override {
    if (opened == nullptr) return Status::Invalid("no place for the opened key");
    KeyPlace place;
    if (Status found = Locate(parent, subkey, &place); !found.ok()) return found;
    std::shared_ptr<const Hive> hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    // The root exists even while the hive is empty.
    if (const HiveKey* key = hive->FindKey(place.key_path)) {
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
    std::shared_ptr<const Hive> hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    return CopyValue(hive->FindKey(place.key_path), name, type, data, size);
  }

  // Opening the key and reading its value from one reading of the file gives
  // what the two calls give when nothing changes the file between them, and
  // a change between them could as well have come just after both.
  Status GetValue(RegKey parent, std::u16string_view subkey, std::u16string_view name,
                  std::uint32_t* type, void* data, std::uint32_t* size) override {
    KeyPlace place;
    if (Status found = Locate(parent, subkey, &place); !found.ok()) return found;
    std::shared_ptr<const Hive> hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    const HiveKey* key = hive->FindKey(place.key_path);
    // The root exists even while the hive is empty.
    if (key == nullptr && !IsRoot(place.key_path)) {
      return Status::NotFound("no registry key " + Utf16ToUtf8(place.key_path));
    }
    if (size == nullptr) return Status::Invalid("no size for the value");
    return CopyValue(key, name, type, data, size);
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

  Status ReadTree(RegKey parent, std::u16string_view subkey, int levels,
                  std::vector<RegistryKeyData>* keys) override {
    if (keys == nullptr) return Status::Invalid("no place for the keys");
    KeyPlace place;
    if (Status found = Find(parent, &place); !found.ok()) return found;
    const std::u16string base = place.key_path;
    if (Status joined = JoinSubkey(base, subkey, &place.key_path); !joined.ok()) return joined;
    std::shared_ptr<const Hive> hive;
    if (Status read = ReadHive(place.hive_path, &hive); !read.ok()) return read;
    const HiveKey* top = hive->FindKey(place.key_path);
    if (top == nullptr && !IsRoot(place.key_path)) {
      return Status::NotFound("no registry key " + Utf16ToUtf8(place.key_path));
    }
    // The root exists even while the hive is empty.
    if (top == nullptr) keys->push_back(RegistryKeyData{});
    const std::u16string& top_path = top ? top->path() : place.key_path;
    for (const HiveKey& key : hive->keys()) {
      if (!IsSameOrBelow(key.path(), top_path) || LevelsBelow(key.path(), top_path) > levels) {
        continue;
      }
      RegistryKeyData& data = keys->emplace_back();
      if (key.path().size() > base.size()) data.path = key.path().substr(base.size() + 1);
      for (const HiveValue& value : key.values()) {
        data.values.push_back(RegistryValue{value.name, value.type, value.data});
      }
    }
    return Status::Ok();
  }

  Status DeleteValue(RegKey key, std::u16string_view name) override {
    KeyPlace place;
    if (Status found = Find(key, &place); !found.ok()) return found;
    return ChangeHive(place.hive_path, [&](Hive& hive, bool* write) {
      HiveKey* target = hive.FindKey(place.key_path);
      *write = target != nullptr && target->DeleteValue(name);
      return *write ? Status::Ok() : Status::NotFound("no registry value " + Utf16ToUtf8(name));
    });
  }

  Status DeleteTree(RegKey parent, std::u16string_view subkey) override {
    KeyPlace place;
    if (Status found = Locate(parent, subkey, &place); !found.ok()) return found;
    if (IsRoot(place.key_path)) return Status::Invalid("HKEY_CURRENT_USER cannot be deleted");
    return ChangeHive(place.hive_path, [&](Hive& hive, bool* write) {
      *write = hive.DeleteKey(place.key_path);
      return *write ? Status::Ok()
                    : Status::NotFound("no registry key " + Utf16ToUtf8(place.key_path));
    });
  }

  Status CloseKey(RegKey key) override {
    if (IsPredefined(key)) return Status::Ok();
    std::lock_guard<std::mutex> guard(mutex_);
    if (handles_.erase(key) == 0) return Status::Invalid("not an open registry key");
    return Status::Ok();
  }

 private:
  // The file and key path of an open key or of the root.
  Status Find(RegKey key, KeyPlace* place) {
    if (key == kHkeyCurrentUser) {
      place->key_path = kRootName;
      return HiveFilePath(&place->hive_path);
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

  // The value `name` of `key` (null: a key the file lacks) into `data`, as
  // QueryValue answers.
  static Status CopyValue(const HiveKey* key, std::u16string_view name, std::uint32_t* type,
                          void* data, std::uint32_t* size) {
    const HiveValue* value = key ? key->FindValue(name) : nullptr;
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

  RegKey AddHandle(KeyPlace place) {
    std::lock_guard<std::mutex> guard(mutex_);
    RegKey handle = next_handle_;
    while (handle == kNullKey || IsPredefined(handle) || handles_.count(handle) != 0) handle += 4;
    next_handle_ = handle + 4;
    handles_.emplace(handle, std::move(place));
    return handle;
  }

  // Reads the file unless it is still the file parsed last, whose keys are
  // then taken again (every settings object reads the registry); a file read
  // again that holds exactly the bytes parsed last is not parsed anew either.
  Status ReadHive(const std::u16string& hive_path, std::shared_ptr<const Hive>* hive) {
    std::shared_ptr<const Hive> known;
    FileIdentity identity = LastIdentity(hive_path, &known);
    std::string bytes;
    bool read = false;
    if (!files_.ReadFileIfChanged(hive_path, kMaxHiveBytes, &identity, &bytes, &read).ok()) {
      // Missing, too large or unreadable: as the file routine answers.
      auto fresh = std::make_shared<Hive>();
      const Status status = ReadHiveFile(files_, hive_path, fresh.get());
      *hive = std::move(fresh);
      if (!status.ok()) Report(HiveFileStep::kRead, hive_path, status);
      return AsDamaged(hive_path, status);
    }
    if (!read) {
      *hive = std::move(known);
      return Status::Ok();
    }
    if (*hive = LastParsed(hive_path, bytes, identity); *hive) return Status::Ok();
    auto fresh = std::make_shared<Hive>();
    if (Status parsed = ParseHive(bytes, fresh.get()); !parsed.ok()) {
      Report(HiveFileStep::kRead, hive_path, parsed);
      return AsDamaged(hive_path, parsed);
    }
    std::lock_guard<std::mutex> guard(parsed_mutex_);
    last_parsed_ = {hive_path, identity, std::move(bytes), fresh};
    *hive = std::move(fresh);
    return Status::Ok();
  }

  // The identity of the file parsed last, with its keys, when that file was
  // at `hive_path`; else no identity.
  FileIdentity LastIdentity(const std::u16string& hive_path, std::shared_ptr<const Hive>* hive) {
    std::lock_guard<std::mutex> guard(parsed_mutex_);
    if (last_parsed_.path != hive_path || !last_parsed_.hive) return FileIdentity();
    *hive = last_parsed_.hive;
    return last_parsed_.identity;
  }

  // The keys parsed last when `bytes` are the bytes they were parsed from,
  // which are now known under `identity`.
  std::shared_ptr<const Hive> LastParsed(const std::u16string& hive_path, const std::string& bytes,
                                         const FileIdentity& identity) {
    std::lock_guard<std::mutex> guard(parsed_mutex_);
    if (last_parsed_.path != hive_path || last_parsed_.bytes != bytes) return nullptr;
    last_parsed_.identity = identity;
    return last_parsed_.hive;
  }

  Status ChangeHive(const std::u16string& hive_path, const HiveChange& change) {
    HiveFileStep failed = HiveFileStep::kChange;
    const Status changed = ChangeHiveFile(files_, hive_path, change, &failed);
    if (!changed.ok() && failed != HiveFileStep::kChange) Report(failed, hive_path, changed);
    return failed == HiveFileStep::kRead ? AsDamaged(hive_path, changed) : changed;
  }

  void Report(HiveFileStep step, const std::u16string& hive_path, const Status& status) {
    if (failure_ != nullptr) *failure_ = HiveFileFailure{step, hive_path, status};
  }

  FileSystem& files_;
  HiveFileFailure* failure_;
  std::mutex mutex_;  // guards the handle table
  std::unordered_map<RegKey, KeyPlace> handles_;
  RegKey next_handle_ = kFirstHandle;
  // The hive file parsed last: its path, the file, its bytes and their keys.
  struct ParsedHive {
    std::u16string path;
    FileIdentity identity;
    std::string bytes;
    std::shared_ptr<const Hive> hive;
  };
  std::mutex parsed_mutex_;  // guards last_parsed_
  ParsedHive last_parsed_;
};

}  // namespace

std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files) {
  return std::make_unique<HiveRegistry>(files, nullptr);
}

std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files, HiveFileFailure* failure) {
  return std::make_unique<HiveRegistry>(files, failure);
}

}  // namespace fennimar::platform
