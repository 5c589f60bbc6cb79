// RegistryStore - the registry as `fennimar reg`, `reset` and the wallpaper
// messages reach it, below HKEY_CURRENT_USER: the library's registry service
// of this platform (on Linux the registry stand-in, the file
// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg, changed under its lock and
// written atomically; on Windows the system's registry), with the command's
// messages and exit codes.
//
// Keys are full paths from the root ("HKEY_CURRENT_USER\Software\..."),
// checked by the caller. Every method fails with a CliError: (document) when
// the registry cannot be read, (write) when a change cannot be made.
#ifndef FENNIMAR_CLI_REGISTRYSTORE_H_
#define FENNIMAR_CLI_REGISTRYSTORE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "src/common/Status.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/Hive.h"
#include "src/platform/standin/registry/HiveRegistry.h"

namespace fennimar::cli {

// What the command was doing when the registry failed, for its message.
enum class RegistryStep { kRead, kCreate, kSet, kOpen, kDeleteValue, kDeleteKey };

// The registry service of this platform and the command's messages for its
// failures (PlatformRegistry.cpp).
class PlatformRegistry {
 public:
  virtual ~PlatformRegistry() = default;
  virtual platform::Registry& registry() = 0;
  // Fails with the message and exit code for `status`, a failure of `step`
  // on the key `path`.
  [[noreturn]] virtual void Fail(RegistryStep step, const std::u16string& path,
                                 const Status& status) = 0;
};

std::unique_ptr<PlatformRegistry> OpenPlatformRegistry();

// The messages (RegistryMessages.cpp). For the registry file: from the file
// routine's `failure`, or from `status` when the file did not fail.
[[noreturn]] void FailRegistryFile(RegistryStep step, const platform::HiveFileFailure& failure,
                                   const Status& status);
// For the system's registry: what could not be done to `key`, and the
// system's `text` for the error.
[[noreturn]] void FailSystemRegistry(RegistryStep step, const std::u16string& key,
                                     const std::string& text);

class RegistryStore {
 public:
  enum class Deleted { kDone, kNoKey, kNoValue };

  RegistryStore();
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // The key `path` with its values and its direct subkeys; without the key
  // when it does not exist.
  platform::Hive ReadKey(std::u16string_view path);
  // HKEY_CURRENT_USER with everything below it, in the registry's order;
  // paths relative to HKEY_CURRENT_USER. Keys and values that the export
  // format cannot hold are left out.
  std::vector<platform::RegistryKeyData> ReadAll();
  // Creates or replaces the value with exactly these bytes, creating the key
  // and the keys above it.
  void SetValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                const std::string& data);
  Deleted DeleteValue(std::u16string_view path, std::u16string_view name);
  // Deletes the key with everything below it.
  Deleted DeleteKey(std::u16string_view path);
  // Sets the first-use flag to 1 as the library writes it, creating the
  // product's key.
  void SetFirstUseFlag();

 private:
  std::unique_ptr<PlatformRegistry> platform_;
};

// The registry of this platform.
std::unique_ptr<RegistryStore> OpenRegistry();

// "in PLACE", naming where the registry is, for messages: "in /home/ann/
// .config/fennimar/HKEY_CURRENT_USER.reg", or "in the registry".
std::string InRegistry();

// How --help says where the registry is.
const char* RegistryHelp();

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_REGISTRYSTORE_H_
