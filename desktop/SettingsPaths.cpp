#include "desktop/SettingsPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
  paths.iniFile = QCoreApplication::applicationDirPath() + "/HWinfo.ini";
  paths.templateFile = QCoreApplication::applicationDirPath() + "/Fennimar.xml";
  return paths;
}

}  // namespace fennimar::desktop
