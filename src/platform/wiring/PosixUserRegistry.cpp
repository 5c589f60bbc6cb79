// On POSIX: the registry file on the POSIX file service, which lives as long
// as the program, like the library's own services.
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/wiring/UserRegistry.h"

namespace fennimar::platform {

FileSystem& UserFileSystem() {
  static FileSystem* const files = NewPosixFileSystem().release();
  return *files;
}

std::unique_ptr<Registry> NewUserRegistry(HiveFileFailure* failure) {
  return NewHiveRegistry(UserFileSystem(), failure);
}

std::string RegistryErrorText(const Status& status) { return status.message(); }

}  // namespace fennimar::platform
