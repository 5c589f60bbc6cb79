#include "fennimar/Locations.h"
#include "src/platform/wiring/Wiring.h"
#include "src/store/TemplateDocument.h"
#include "src/system/HardwareFlag.h"

CString FennimarLocations::TemplateDocument() {
  return CString(fennimar::TemplateDocumentPath(fennimar::platform::WiredServices()));
}

CString FennimarLocations::HardwareIni() {
  return CString(fennimar::HardwareIniPath(fennimar::platform::WiredServices()));
}
