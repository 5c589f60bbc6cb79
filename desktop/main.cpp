// fennimar-settings: a window that shows and changes the launcher bar's
// settings through the library, as a host program of the bar does.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "desktop/Application.h"
#include "desktop/MainWindow.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationVersion(QStringLiteral(FENNIMAR_VERSION));
  fennimar::desktop::PrepareApplication(application);

  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "main", "Shows and changes the settings of the Fennimar launcher bar."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption document(
      QStringLiteral("document"),
      QCoreApplication::translate("main",
                                  "The settings document (default: $FENNIMAR_DOCUMENT, else "
                                  "$XDG_CONFIG_HOME/fennimar/Fennimar.xml)."),
      QCoreApplication::translate("main", "path"));
  const QCommandLineOption password(
      QStringLiteral("password-file"),
      QCoreApplication::translate("main",
                                  "The password file (default: \"password\" beside the document)."),
      QCoreApplication::translate("main", "path"));
  parser.addOption(document);
  parser.addOption(password);
  parser.process(application);

  const auto paths =
      fennimar::desktop::SettingsPaths::Resolve(parser.value(document), parser.value(password));
  if (paths.document.isEmpty()) {
    // As the fennimar command says it: the library has nowhere to keep settings.
    std::fputs(
        "fennimar-settings: neither XDG_CONFIG_HOME nor HOME names a folder; give --document\n",
        stderr);
    return 2;
  }
  fennimar::desktop::MainWindow window(paths);
  window.show();
  return application.exec();
}
