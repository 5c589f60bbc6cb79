// SettingsPaths - where fennimar-settings finds the files it shows, by the
// same rules as the fennimar command, so that both open the same settings:
// the document (the library's default document,
// $XDG_CONFIG_HOME/fennimar/Fennimar.xml, unless --document or
// $FENNIMAR_DOCUMENT names another), the password file ("password" beside the
// document unless --password-file names another), and where the library says
// its registry file, HWinfo.ini and template are.
#ifndef FENNIMAR_DESKTOP_SETTINGSPATHS_H_
#define FENNIMAR_DESKTOP_SETTINGSPATHS_H_

#include <QString>

namespace fennimar::desktop {

struct SettingsPaths {
  QString document;
  QString passwordFile;
  QString registryFile;
  QString iniFile;
  // The template the library installs when the document is missing or the
  // first-use flag is set: Fennimar.xml beside the running program.
  QString templateFile;

  // Paths made absolute, with the defaults for those left empty. All empty
  // when no document is named and the library has no default document (no
  // configuration folder).
  static SettingsPaths Resolve(const QString& document, const QString& passwordFile);
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SETTINGSPATHS_H_
