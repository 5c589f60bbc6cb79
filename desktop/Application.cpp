#include "desktop/Application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>

// The icon and other files compiled into the program (data/resources.qrc).
static void LoadResources() { Q_INIT_RESOURCE(resources); }

namespace fennimar::desktop {

void PrepareApplication(QApplication& application) {
  LoadResources();
  application.setApplicationName(QStringLiteral("fennimar-settings"));
  application.setApplicationDisplayName(QStringLiteral("Fennimar Settings"));
  application.setDesktopFileName(QStringLiteral("fennimar-settings"));
  // Without a desktop session (offscreen, a bare X server) Qt neither looks
  // in the XDG icon folders nor names a theme; add the folders and take the
  // common theme, so that programs keep their icons.
  QStringList searchPaths = QIcon::themeSearchPaths();
  const QStringList xdgIcons = QStandardPaths::locateAll(
      QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory);
  for (const QString& folder : xdgIcons) {
    if (!searchPaths.contains(folder)) searchPaths << folder;
  }
  QIcon::setThemeSearchPaths(searchPaths);
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
    for (const QString& theme : {QStringLiteral("Adwaita"), QStringLiteral("breeze")}) {
      if (QDir(QStringLiteral("/usr/share/icons/") + theme).exists()) {
        QIcon::setThemeName(theme);
        break;
      }
    }
  }
  QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
  const QIcon installed = QIcon::fromTheme(QStringLiteral("fennimar-settings"));
  application.setWindowIcon(installed.isNull() ? QIcon(QStringLiteral(":/fennimar-settings.svg"))
                                               : installed);
}

}  // namespace fennimar::desktop
