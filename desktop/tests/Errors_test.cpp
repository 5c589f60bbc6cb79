// What the window shows when the settings cannot be read: a message on each
// page concerned that says what happened and what to do, never an empty page.
#include <QTest>

#include "desktop/SettingsPage.h"
#include "desktop/tests/DesktopTests.h"
#include "desktop/tests/Sandbox.h"

namespace fennimar::desktop::test {

class ErrorsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachProblemIsExplained_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    const QByteArray noApps = "<?xml version=\"1.0\"?><Fennimar><GlobalSetting/></Fennimar>";
    QTest::newRow("unloadable document") << QByteArray("not xml <") << "Switches"
                                         << "could not be loaded (RC_FAIL)";
    QTest::newRow("missing section") << noApps << "Applications" << "no AppList section";
    QTest::newRow("registry value missing") << QByteArray() << "Wallpaper"
                                            << "RC_SYSTEM_ERROR";
  }
  void eachProblemIsExplained() {
    QFETCH(QByteArray, document);
    QFETCH(QString, page);
    QFETCH(QString, expected);
    Sandbox sandbox;
    if (!document.isEmpty()) sandbox.Write("config/fennimar/Fennimar.xml", document);
    sandbox.OpenWindow();
    QVERIFY(sandbox.window().ShowPage(page));
    const auto& pages = sandbox.window().pages();
    const auto shown = std::find_if(pages.begin(), pages.end(),
                                    [&](SettingsPage* p) { return p->title() == page; });
    QVERIFY2((*shown)->notice().contains(expected), qPrintable((*shown)->notice()));
  }
};

DESKTOP_TEST(ErrorsTest)

}  // namespace fennimar::desktop::test

#include "Errors_test.moc"
