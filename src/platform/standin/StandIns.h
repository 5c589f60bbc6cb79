// StandIns - portable stand-ins for the services Windows has and POSIX does
// not: the registry kept in a file (registry/), INI files read and written by
// us (ini/) and the DOM on pugixml (xml/). They depend on the platform's
// interfaces only and call no operating-system function themselves: every
// file goes through the FileSystem they are given, the user's configuration
// folder comes from ConfigFolder.h and charset conversion from Charset.h, each
// implemented by the platform's backend. The wiring (wiring/PosixServices.cpp)
// puts them together. Only the factories are visible; each stand-in's
// internals stay in its own folder.
#ifndef FENNIMAR_PLATFORM_STANDIN_STANDINS_H_
#define FENNIMAR_PLATFORM_STANDIN_STANDINS_H_

#include <memory>

#include "src/platform/FileSystem.h"
#include "src/platform/IniFile.h"
#include "src/platform/Registry.h"
#include "src/platform/XmlDom.h"

namespace fennimar::platform {

// The registry stand-in: HKEY_CURRENT_USER kept in a registry-editor export
// file, found afresh at each open of a key. Writes go through `files`.
std::unique_ptr<Registry> NewHiveRegistry(FileSystem& files);
// The DOM on the XML library; reads and writes files through `files`.
std::unique_ptr<XmlDom> NewPugiXmlDom(FileSystem& files);
// INI files read and written by us, keeping every byte we do not change.
// Writes go through `files`.
std::unique_ptr<IniFile> NewTextIniFile(FileSystem& files);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_STANDINS_H_
