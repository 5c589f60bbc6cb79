// What a desktop expects of the window beyond its settings: a name for
// every control a screen reader reaches, a German translation that covers
// every string and is found by the locale, help on F1 and the program's
// icon without an installation, thumbnails as sharp as the screen.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "desktop/AddAppDialog.h"
#include "desktop/Application.h"
#include "desktop/BackgroundPage.h"
#include "desktop/HelpMenu.h"
#include "desktop/ThumbnailGrid.h"
#include "desktop/tests/Sandbox.h"
#include "tests/support/ChildProcess.h"

namespace fennimar::desktop::test {
namespace {

// Controls below `root` without an accessible name, by object name; the
// parts of a spin box, a list or the menu bar (Qt's own "qt_..." widgets)
// speak for their whole.
QStringList Unnamed(const QWidget& root) {
  QStringList unnamed;
  for (auto* widget : root.findChildren<QWidget*>()) {
    const bool control =
        qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
        qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QAbstractItemView*>(widget);
    const QWidget* parent = widget->parentWidget();
    const bool part = qobject_cast<const QAbstractSpinBox*>(parent) ||
                      qobject_cast<const QAbstractItemView*>(parent) ||
                      widget->objectName().startsWith(QLatin1String("qt_"));
    if (control && !part && widget->accessibleName().isEmpty()) {
      unnamed << QStringLiteral("%1 %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                             widget->objectName());
    }
  }
  return unnamed;
}

}  // namespace

class ConventionsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlHasAnAccessibleName() {
    Sandbox sandbox;
    auto& window = sandbox.OpenWindow();
    QVERIFY2(Unnamed(window).isEmpty(), qPrintable(Unnamed(window).join(QLatin1Char(','))));
    const AddAppDialog dialog({DesktopEntry{}}, QStringLiteral("1"), {}, &window);
    QVERIFY2(Unnamed(dialog).isEmpty(), qPrintable(Unnamed(dialog).join(QLatin1Char(','))));
  }

  // lupdate over the sources finds nothing new in the German .ts, and no
  // string in it is left untranslated.
  void germanTranslationCoversEveryString() {
    QTemporaryDir work;
    const QString ts = work.filePath(QStringLiteral("de.ts"));
    QVERIFY(QFile::copy(
        QStringLiteral(FENNIMAR_DESKTOP_SOURCE "/translations/fennimar-settings_de.ts"), ts));
    const auto lupdate = fennimar::testing::ChildProcess::Run(
        {FENNIMAR_LUPDATE, "-I" FENNIMAR_DESKTOP_SOURCE "/..", "-no-obsolete", "-locations", "none",
         FENNIMAR_DESKTOP_SOURCE, "-no-recursive", "-ts", ts.toStdString()},
        {}, kPatience * 2);
    QVERIFY2(lupdate.status == 0, lupdate.err.c_str());
    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(!text.contains("type=\"unfinished\""), "untranslated or new strings in the .ts");
  }

  void germanLocaleGetsTheTranslationAndItsHelp() {
    auto& application = *qobject_cast<QApplication*>(QCoreApplication::instance());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(InstallTranslations(application, QLocale()));
    {
      Sandbox sandbox;
      auto& window = sandbox.OpenWindow();
      QCOMPARE(window.windowTitle(), QStringLiteral("Fennimar-Einstellungen"));
      QCOMPARE(window.pages().front()->title(), QStringLiteral("Anwendungen"));
    }
    QCOMPARE(HelpPage(), QStringLiteral(":/help/help_de.html"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!InstallTranslations(application, QLocale()));
    QCOMPARE(HelpPage(), QStringLiteral(":/help/help.html"));
  }

  void f1ShowsTheHelpAndTheWindowHasItsIcon() {
    Sandbox sandbox;
    auto& window = sandbox.OpenWindow();
    QVERIFY(!window.windowIcon().isNull());
    QTest::keyClick(&window, Qt::Key_F1);
    auto* help = window.findChild<HelpDialog*>();
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("F5")));
  }

  // Run also with QT_SCALE_FACTOR=2 (see CMakeLists.txt).
  void thumbnailsHaveThePixelsOfTheScreen() {
    Sandbox sandbox;
    QImage picture(640, 400, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QDir().mkpath(sandbox.path(QStringLiteral("Pictures")));
    QVERIFY(picture.save(sandbox.path(QStringLiteral("Pictures/one.png"))));
    ThumbnailGrid grid;
    grid.show();
    const QSignalSpy loaded(&grid, &ThumbnailGrid::loaded);
    grid.ShowFolder(sandbox.path(QStringLiteral("Pictures")));
    QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 1, kPatience);
    const qreal ratio = grid.devicePixelRatioF();
    // The icon holds the picture as read, in pixels: scaled up later, a
    // thumbnail read at 1x would be blurred at 2x.
    const QList<QSize> read = grid.item(0)->icon().availableSizes();
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.front().width(), qRound(grid.iconSize().width() * ratio));
  }
};

}  // namespace fennimar::desktop::test

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  fennimar::desktop::PrepareApplication(application);
  fennimar::desktop::test::ConventionsTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "Conventions_test.moc"
