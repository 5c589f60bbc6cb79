// RegistryStore - the registry as `fennimar reg`, `reset` and the wallpaper
// messages reach it, below HKEY_CURRENT_USER. On Linux it is the library's
// registry stand-in, the file $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg,
// changed under its lock and written atomically; on Windows it is the
// system's registry.
//
// Keys are full paths from the root ("HKEY_CURRENT_USER\Software\..."),
// checked by the caller. Every method fails with a CliError: (document) when
// the registry file cannot be read or parsed, (write) when a change cannot
// be made.
#ifndef FENNIMAR_CLI_REGISTRYSTORE_H_
#define FENNIMAR_CLI_REGISTRYSTORE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "src/platform/standin/registry/Hive.h"

namespace fennimar::cli {

class RegistryStore {
 public:
  enum class Deleted { kDone, kNoKey, kNoValue };

  virtual ~RegistryStore() = default;

  // The key `path` with its values and its direct subkeys (other keys may
  // come along); without the key when it does not exist.
  virtual platform::Hive ReadKey(std::u16string_view path) = 0;
  // HKEY_CURRENT_USER with everything below it.
  virtual platform::Hive ReadAll() = 0;
  // Creates or replaces the value with exactly these bytes, creating the key
  // and the keys above it.
  virtual void SetValue(std::u16string_view path, std::u16string_view name, std::uint32_t type,
                        const std::string& data) = 0;
  virtual Deleted DeleteValue(std::u16string_view path, std::u16string_view name) = 0;
  // Deletes the key with everything below it.
  virtual Deleted DeleteKey(std::u16string_view path) = 0;
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
