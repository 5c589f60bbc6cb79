// On POSIX: the registry file on the POSIX file service, which lives as long
// as the program, like the library's own services.
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/wiring/UserRegistry.h"

namespace fennimar::platform {

std::unique_ptr<Registry> NewUserRegistry(HiveFileFailure* failure) {
  static FileSystem* const files = NewPosixFileSystem().release();
  return NewHiveRegistry(*files, failure);
}

std::string RegistryErrorText(const Status& status) { return status.message(); }

}  // namespace fennimar::platform
