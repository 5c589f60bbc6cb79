// HiveRegistry - the registry stand-in (StandIns.h) for a host that names
// the registry file's steps in its own messages, as the fennimar command
// does: the same registry, which also records its last failure.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEREGISTRY_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEREGISTRY_H_

#include <memory>
#include <string>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/HiveFile.h"

namespace fennimar::platform {

// A failure of the registry file: the step, the file and the status of the
// file routine (HiveFile.h), before the registry turns it into its own.
struct HiveFileFailure {
  HiveFileStep step = HiveFileStep::kRead;
  std::u16string path;
  Status status;
};

// The registry stand-in on `files`; each failure of the file (not of a change
// the registry refused, such as a missing value) is written into `*failure`,
// which must outlive the registry.
std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files, HiveFileFailure* failure);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEREGISTRY_H_
