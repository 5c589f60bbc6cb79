// UserRegistry - the platform's registry and file services on their own, for
// a host that links their static libraries rather than the whole library (the
// fennimar command): on POSIX the registry file on the POSIX file service, on
// Windows the system's registry below HKEY_CURRENT_USER and its files.
#ifndef FENNIMAR_PLATFORM_WIRING_USERREGISTRY_H_
#define FENNIMAR_PLATFORM_WIRING_USERREGISTRY_H_

#include <memory>
#include <string>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/HiveRegistry.h"

namespace fennimar::platform {

// The platform's file service; it lives as long as the program.
FileSystem& UserFileSystem();

// Each failure of the registry file is written into `*failure`, which must
// outlive the registry; the system's registry has no file and never writes it.
std::unique_ptr<Registry> NewUserRegistry(HiveFileFailure* failure);

// For people: the system's own text for the error behind a failed `status`
// of that registry, or the status's message where it names no system error.
std::string RegistryErrorText(const Status& status);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIRING_USERREGISTRY_H_
