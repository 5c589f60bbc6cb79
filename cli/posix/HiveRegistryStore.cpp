// The registry on Linux: the library's registry stand-in, the file
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.
#include <utility>

#include "cli/Errors.h"
#include "cli/RegistryStore.h"
#include "cli/posix/HiveStore.h"
#include "src/common/Utf.h"
#include "src/platform/standin/registry/HiveFile.h"

namespace fennimar::cli {
namespace {

using platform::Hive;
using platform::HiveKey;

std::string HivePath() {
  std::u16string path;
  if (!platform::HiveFilePath(&path).ok()) {
    Fail(Exit::kUsage, "neither XDG_CONFIG_HOME nor HOME names a folder; give --document");
  }
  return Utf16ToUtf8(path);
}

class HiveRegistryStore : public RegistryStore {
 public:
  HiveRegistryStore() : store_(HivePath()) {}

  Hive ReadKey(std::u16string_view) override { return store_.Read(); }
  Hive ReadAll() override { return store_.Read(); }

  void SetValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                const std::string& data) override {
    store_.Change([&](Hive& hive) {
      HiveKey* key = nullptr;
      if (const Status made = hive.CreateKey(path, &key); !made.ok()) {
        Fail(Exit::kUsage, "cannot create the key: " + made.message());
      }
      if (const Status set = key->SetValue(name, type, data); !set.ok()) {
        Fail(Exit::kUsage, "cannot set the value: " + set.message());
      }
      return true;
    });
  }

  Deleted DeleteValue(std::u16string_view path, std::u16string_view name) override {
    Deleted result = Deleted::kDone;
    store_.Change([&](Hive& hive) {
      HiveKey* key = hive.FindKey(path);
      if (key == nullptr)
        result = Deleted::kNoKey;
      else if (!key->DeleteValue(name))
        result = Deleted::kNoValue;
      return result == Deleted::kDone;
    });
    return result;
  }

  Deleted DeleteKey(std::u16string_view path) override {
    Deleted result = Deleted::kDone;
    store_.Change([&](Hive& hive) {
      if (!hive.DeleteKey(path)) result = Deleted::kNoKey;
      return result == Deleted::kDone;
    });
    return result;
  }

 private:
  HiveStore store_;
};

}  // namespace

std::unique_ptr<RegistryStore> OpenRegistry() { return std::make_unique<HiveRegistryStore>(); }

std::string InRegistry() { return "in " + HivePath(); }

const char* RegistryHelp() {
  return "The registry is kept in $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.";
}

}  // namespace fennimar::cli
