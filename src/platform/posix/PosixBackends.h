// PosixBackends - the POSIX backends of the services that call the operating
// system: files, the module's path and waiting (the others are the portable
// stand-ins of src/platform/standin/). Only the factories are visible; each
// backend's internals stay in its own file.
#ifndef FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_
#define FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_

#include <memory>

#include "src/platform/DocumentLocks.h"
#include "src/platform/FileSystem.h"
#include "src/platform/ModulePath.h"
#include "src/platform/Sleeper.h"

namespace fennimar::platform {

std::unique_ptr<FileSystem> NewPosixFileSystem();
std::unique_ptr<ModulePath> NewPosixModulePath();
std::unique_ptr<Sleeper> NewPosixSleeper();
// The shared document's lock file and file identity.
std::unique_ptr<DocumentLocks> NewPosixDocumentLocks();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_
