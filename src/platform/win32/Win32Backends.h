// Win32Backends - the Windows backend of each platform service. Only the
// factories are visible; each backend's internals stay in its own file.
#ifndef FENNIMAR_PLATFORM_WIN32_WIN32BACKENDS_H_
#define FENNIMAR_PLATFORM_WIN32_WIN32BACKENDS_H_

#include <memory>

#include "src/platform/DocumentLocks.h"
#include "src/platform/FileSystem.h"
#include "src/platform/IniFile.h"
#include "src/platform/ModulePath.h"
#include "src/platform/Registry.h"
#include "src/platform/Sleeper.h"
#include "src/platform/XmlDom.h"

namespace fennimar::platform {

std::unique_ptr<FileSystem> NewWin32FileSystem();
// The system's registry, on real HKEYs.
std::unique_ptr<Registry> NewWin32Registry();
// Lets the key `subkey` below HKEY_CURRENT_USER (created when missing) stand
// in for HKEY_CURRENT_USER for the rest of this process, everything in it
// included. Fails (IoError, with the system's text) when the key cannot be
// opened or put in place.
Status UseKeyAsCurrentUser(std::u16string_view subkey);
// The system's DOM component (MSXML) through COM; documents are saved
// through `files`, which must outlive the DOM and its documents.
std::unique_ptr<XmlDom> NewMsxmlDom(FileSystem& files);
std::unique_ptr<ModulePath> NewWin32ModulePath();
std::unique_ptr<Sleeper> NewWin32Sleeper();
// The system's INI service (the private profile functions).
std::unique_ptr<IniFile> NewWin32IniFile();
// The shared document's lock file and file identity.
std::unique_ptr<DocumentLocks> NewWin32DocumentLocks();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_WIN32BACKENDS_H_
