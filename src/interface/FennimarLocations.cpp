#include "fennimar/Locations.h"
#include "src/platform/Services.h"
#include "src/store/TemplateDocument.h"
#include "src/system/HardwareFlag.h"

CString FennimarLocations::TemplateDocument() {
  return CString(fennimar::TemplateDocumentPath(fennimar::platform::CurrentServices()));
}

CString FennimarLocations::HardwareIni() {
  return CString(fennimar::HardwareIniPath(fennimar::platform::CurrentServices()));
}
