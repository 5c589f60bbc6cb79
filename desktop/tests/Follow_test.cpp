// The window beside the fennimar command changing the same settings.
#include <QCheckBox>
#include <QTest>
#include <QTreeWidget>

#include "desktop/AppsPage.h"
#include "desktop/StatusPage.h"
#include "desktop/SwitchesPage.h"
#include "desktop/Text.h"
#include "desktop/tests/DesktopTests.h"
#include "desktop/tests/Sandbox.h"

namespace fennimar::desktop::test {
namespace {

bool Listed(Sandbox& sandbox, const QString& path) {
  std::vector<_Fennimar_AppItem_> items;
  sandbox.Library()->GetApplicationsList(items);
  for (const auto& item : items) {
    if (ToQString(item.path) == path) return true;
  }
  return false;
}

}  // namespace

class FollowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowFollowsAnotherProgramAndKeepsItsChanges() {
    Sandbox sandbox;
    sandbox.OpenWindow();
    auto* tree = sandbox.Show<AppsPage>("Applications").findChild<QTreeWidget*>("apps");
    auto* sound = sandbox.window().findChild<QCheckBox*>("soundEffect");
    QVERIFY(!sound->isChecked());

    QCOMPARE(sandbox.Fennimar({"apps", "add", "--key", "9", "--path", "/usr/bin/gimp",
                               "--description", "Image editor"}),
             0);
    QCOMPARE(sandbox.Fennimar({"switches", "set", "sound-effect=1"}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItem(tree->topLevelItemCount() - 1)->text(2),
                              QString("/usr/bin/gimp"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(sound->isChecked(), kPatience);

    // A change of the window's own after the other program's keeps both.
    sandbox.window().findChild<QCheckBox*>("lightEffect")->click();
    QVERIFY(Listed(sandbox, "/usr/bin/gimp"));
    sandbox.CloseWindow();
    QVERIFY(Listed(sandbox, "/usr/bin/gimp"));
    _Fennimar_Config_ config;
    sandbox.Library()->GetConfig(config);
    QCOMPARE(config.soundEffect, 1);
    QCOMPARE(config.lightEffect, 0);
  }
};

DESKTOP_TEST(FollowTest)

}  // namespace fennimar::desktop::test

#include "Follow_test.moc"
