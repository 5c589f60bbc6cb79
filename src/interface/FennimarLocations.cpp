#include "fennimar/Locations.h"
#include "src/common/Names.h"
#include "src/interface/UserFiles.h"
#include "src/platform/Paths.h"
#include "src/platform/wiring/Wiring.h"
#include "src/store/TemplateDocument.h"
#include "src/system/HardwareFlag.h"

CString FennimarLocations::TemplateDocument() {
  return CString(fennimar::TemplateDocumentPath(fennimar::platform::WiredServices()));
}

CString FennimarLocations::HardwareIni() {
  return CString(fennimar::HardwareIniPath(fennimar::platform::WiredServices()));
}

CString FennimarLocations::DefaultDocument() {
  std::u16string path = fennimar::UserConfigFolder();
  if (path.empty()) return CString();
  const char16_t separator = fennimar::platform::PathSeparator();
  path.append(1, separator).append(fennimar::names::kUserFolderName);
  path.append(1, separator).append(fennimar::names::kTemplateFileName);
  return CString(path);
}

CString FennimarLocations::RegistryFile() { return CString(fennimar::UserRegistryFile()); }
