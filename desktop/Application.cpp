#include "desktop/Application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

// The icon and other files compiled into the program (data/resources.qrc).
static void LoadResources() { Q_INIT_RESOURCE(resources); }

namespace fennimar::desktop {

bool InstallTranslations(QApplication& application, const QLocale& locale) {
  for (auto* old : application.findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  auto* qt = new QTranslator(&application);
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  }
  auto* own = new QTranslator(&application);
  if (!own->load(locale, QStringLiteral("fennimar-settings"), QStringLiteral("_"),
                 QStringLiteral(":/i18n"))) {
    return false;
  }
  QCoreApplication::installTranslator(own);
  return true;
}

QIcon ProgramIcon() {
  return QIcon::fromTheme(QStringLiteral("fennimar-settings"),
                          QIcon(QStringLiteral(":/fennimar-settings.svg")));
}

void PrepareApplication(QApplication& application) {
  LoadResources();
  InstallTranslations(application, QLocale::system());
  application.setApplicationName(QStringLiteral("fennimar-settings"));
  application.setApplicationDisplayName(
      QCoreApplication::translate("fennimar::desktop::MainWindow", "Fennimar Settings"));
  application.setDesktopFileName(QStringLiteral("fennimar-settings"));
  // Without a desktop session (offscreen, a bare X server) Qt neither looks
  // in the XDG icon folders nor names a theme; add the folders and take the
  // common theme, so that programs keep their icons.
  QStringList searchPaths = QIcon::themeSearchPaths();
  const QStringList xdgIcons =
      QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                QStandardPaths::LocateDirectory);
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
  application.setWindowIcon(ProgramIcon());
}

}  // namespace fennimar::desktop
