#include "desktop/SettingsPaths.h"

#include <QDir>
#include <QFileInfo>

#include "desktop/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::desktop {

SettingsPaths SettingsPaths::Resolve(const QString& document, const QString& passwordFile) {
  QString chosen = document.isEmpty() ? qEnvironmentVariable("FENNIMAR_DOCUMENT") : document;
  if (chosen.isEmpty()) chosen = ToQString(FennimarLocations::DefaultDocument());
  SettingsPaths paths;
  if (chosen.isEmpty()) return paths;  // no configuration folder: nothing to open
  paths.document = QFileInfo(chosen).absoluteFilePath();
  paths.passwordFile = passwordFile.isEmpty()
                           ? QFileInfo(paths.document).absolutePath() + "/password"
                           : QFileInfo(passwordFile).absoluteFilePath();
  // The library says where these are: its registry file; beside the program,
  // or the packaged template and this user's copy of HWinfo.ini where the
  // program's folder has none or cannot be written.
  paths.registryFile = QDir::cleanPath(ToQString(FennimarLocations::RegistryFile()));
  paths.iniFile = ToQString(FennimarLocations::HardwareIni());
  paths.templateFile = ToQString(FennimarLocations::TemplateDocument());
  return paths;
}

}  // namespace fennimar::desktop
