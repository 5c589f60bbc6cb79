// Services - the set of platform services a part of the library works on.
// Parts are handed the set (or the one service they need) when they are built
// or called, and never look for it themselves; the set they are handed comes
// from the wiring (wiring/Wiring.h). The services outlive every part.
#ifndef FENNIMAR_PLATFORM_SERVICES_H_
#define FENNIMAR_PLATFORM_SERVICES_H_

#include "src/platform/DesktopWallpaper.h"
#include "src/platform/DocumentLocks.h"
#include "src/platform/FileSystem.h"
#include "src/platform/IniFile.h"
#include "src/platform/ModulePath.h"
#include "src/platform/Registry.h"
#include "src/platform/Sleeper.h"
#include "src/platform/XmlDom.h"

namespace fennimar::platform {

struct Services {
  FileSystem* files = nullptr;
  Registry* registry = nullptr;
  XmlDom* dom = nullptr;
  ModulePath* module = nullptr;
  Sleeper* sleeper = nullptr;
  IniFile* ini = nullptr;
  DocumentLocks* locks = nullptr;
  DesktopWallpaper* desktop = nullptr;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_SERVICES_H_
