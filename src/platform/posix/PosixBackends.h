// PosixBackends - the POSIX backend of each platform service. Only the
// factories are visible; each backend's internals stay in its own file.
#ifndef FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_
#define FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_

#include <memory>

#include "src/platform/DocumentLocks.h"
#include "src/platform/FileSystem.h"
#include "src/platform/IniFile.h"
#include "src/platform/ModulePath.h"
#include "src/platform/Registry.h"
#include "src/platform/Sleeper.h"
#include "src/platform/XmlDom.h"

namespace fennimar::platform {

std::unique_ptr<FileSystem> NewPosixFileSystem();
// The registry stand-in: HKEY_CURRENT_USER kept in a registry-editor export
// file, found afresh at each open of a key. Writes go through `files`.
std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files);
// The DOM on the XML library; reads and writes files through `files`.
std::unique_ptr<XmlDom> NewPugiXmlDom(FileSystem& files);
std::unique_ptr<ModulePath> NewPosixModulePath();
std::unique_ptr<Sleeper> NewPosixSleeper();
// INI files read and written by us, keeping every byte we do not change.
// Writes go through `files`.
std::unique_ptr<IniFile> NewPosixIniFile(FileSystem& files);
// The shared document's lock file and file identity.
std::unique_ptr<DocumentLocks> NewPosixDocumentLocks();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_POSIX_POSIXBACKENDS_H_
