#include "desktop/HelpMenu.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fennimar::desktop {
namespace {

void ShowAbout(QWidget* parent) {
  const QString name = QApplication::applicationDisplayName();
  QMessageBox::about(
      parent, HelpDialog::tr("About"),
      HelpDialog::tr("<h3>%1 %2</h3>"
                     "<p>Shows and changes the settings of the Fennimar launcher bar through "
                     "the FennimarCommonDll library, version %2.</p>"
                     "<p>Copyright 2026 Fennimar maintainers.<br>"
                     "No licence has been granted yet; all rights are reserved by the Fennimar "
                     "maintainers.</p><p>Built with Qt %3.</p>")
          .arg(name.toHtmlEscaped(), QStringLiteral(FENNIMAR_VERSION),
               QString::fromLatin1(qVersion())));
}

}  // namespace

QString HelpPage() {
  // The first language of the user's list that has a page, else English.
  for (QString language : QLocale().uiLanguages()) {
    language.replace(QLatin1Char('-'), QLatin1Char('_'));
    for (const QString& name : {language, language.section(QLatin1Char('_'), 0, 0)}) {
      const QString page = QStringLiteral(":/help/help_%1.html").arg(name);
      if (QFile::exists(page)) return page;
    }
  }
  return QStringLiteral(":/help/help.html");
}

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
  // The desktop adds the program's name: "Help — Fennimar Settings".
  setWindowTitle(tr("Help"));
  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("helpText"));
  text->setAccessibleName(tr("Help text"));
  text->setOpenLinks(false);  // the text is read here; it links nowhere
  text->setSource(QUrl(QStringLiteral("qrc") + HelpPage()));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(640, 560);
}

void AddHelpMenu(QMainWindow& window) {
  QMenu* menu = window.menuBar()->addMenu(HelpDialog::tr("&Help"));
  QAction* help =
      menu->addAction(QIcon::fromTheme(QStringLiteral("help-contents")),
                      HelpDialog::tr("%1 &Help").arg(QApplication::applicationDisplayName()));
  help->setObjectName(QStringLiteral("help"));
  help->setShortcut(QKeySequence::HelpContents);
  // One help window, raised again by the next F1.
  QObject::connect(help, &QAction::triggered, &window, [&window] {
    auto* dialog = window.findChild<HelpDialog*>();
    if (dialog == nullptr) {
      dialog = new HelpDialog(&window);
      dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
  });
  menu->addSeparator();
  QAction* about =
      menu->addAction(QIcon::fromTheme(QStringLiteral("help-about")),
                      HelpDialog::tr("&About %1").arg(QApplication::applicationDisplayName()));
  about->setObjectName(QStringLiteral("about"));
  about->setMenuRole(QAction::AboutRole);
  QObject::connect(about, &QAction::triggered, &window, [&window] { ShowAbout(&window); });
  QAction* aboutQt = menu->addAction(HelpDialog::tr("About &Qt"));
  aboutQt->setMenuRole(QAction::AboutQtRole);
  QObject::connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
}

}  // namespace fennimar::desktop
