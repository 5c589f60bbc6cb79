#include "desktop/SettingsPaths.h"

#include <QDir>
#include <QFileInfo>

#include "desktop/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::desktop {

QString ConfigFolder() {
  const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  return QDir::cleanPath(qEnvironmentVariable("HOME") + "/.config");
}

SettingsPaths SettingsPaths::Resolve(const QString& document, const QString& passwordFile) {
  const QString ours = ConfigFolder() + "/fennimar";
  QString chosen = document.isEmpty() ? qEnvironmentVariable("FENNIMAR_DOCUMENT") : document;
  if (chosen.isEmpty()) chosen = ours + "/Fennimar.xml";
  SettingsPaths paths;
  paths.document = QFileInfo(chosen).absoluteFilePath();
  paths.passwordFile = passwordFile.isEmpty()
                           ? QFileInfo(paths.document).absolutePath() + "/password"
                           : QFileInfo(passwordFile).absoluteFilePath();
  paths.registryFile = ours + "/HKEY_CURRENT_USER.reg";
  // The library says where these are: beside the program, or the packaged
  // template and this user's copy of HWinfo.ini where the program's folder
  // has none or cannot be written.
  paths.iniFile = ToQString(FennimarLocations::HardwareIni());
  paths.templateFile = ToQString(FennimarLocations::TemplateDocument());
  return paths;
}

}  // namespace fennimar::desktop
