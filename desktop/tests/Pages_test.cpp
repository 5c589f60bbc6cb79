// Each page driven as a user drives it, checked on disk through a library
// object of its own; the window beside the fennimar command; and what a page
// says when its settings cannot be read.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

#include "desktop/AddAppDialog.h"
#include "desktop/AppList.h"
#include "desktop/Application.h"
#include "desktop/AppsPage.h"
#include "desktop/BackgroundPage.h"
#include "desktop/PasswordPage.h"
#include "desktop/SettingsPage.h"
#include "desktop/StatusPage.h"
#include "desktop/SwitchesPage.h"
#include "desktop/Text.h"
#include "desktop/WallpaperPage.h"
#include "desktop/WorkspacesPage.h"
#include "desktop/tests/Sandbox.h"

namespace fennimar::desktop::test {
namespace {

template <typename T>
T* Child(QObject& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
}

// Runs `act` on the next modal dialog of type T once it is open.
template <typename T>
void WhenOpen(std::function<void(T&)> act) {
  QTimer::singleShot(0, [act] {
    QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<T*>(QApplication::activeModalWidget()) != nullptr,
                             kPatience);
    act(*qobject_cast<T*>(QApplication::activeModalWidget()));
  });
}

void Type(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

std::vector<_Fennimar_AppItem_> Apps(Sandbox& sandbox) {
  std::vector<_Fennimar_AppItem_> items;
  sandbox.Library()->GetApplicationsList(items);
  return items;
}

bool Listed(Sandbox& sandbox, const QString& path) {
  for (const auto& item : Apps(sandbox)) {
    if (ToQString(item.path) == path) return true;
  }
  return false;
}

}  // namespace

class PagesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Sandbox> sandbox_;

 private slots:
  void init() { sandbox_ = std::make_unique<Sandbox>(); }
  void cleanup() { sandbox_.reset(); }

  void switchesToggleFromTheKeyboard_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("launch code") << "launchcode" << 0;
    QTest::newRow("mouse hook") << "mouseHook" << 1;
    QTest::newRow("sound effect") << "soundEffect" << 2;
    QTest::newRow("light effect") << "lightEffect" << 3;
  }
  void switchesToggleFromTheKeyboard() {
    QFETCH(QString, name);
    QFETCH(int, index);
    sandbox_->OpenWindow();
    auto* box = sandbox_->Show<SwitchesPage>("Switches").findChild<QCheckBox*>(name);
    const auto read = [&] {
      _Fennimar_Config_ config;
      sandbox_->Library()->GetConfig(config);
      const int values[] = {config.launchcode, config.mouseHook, config.soundEffect,
                            config.lightEffect};
      return values[index];
    };
    const int before = read();
    QCOMPARE(box->isChecked(), before != 0);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(read(), before != 0 ? 0 : 1);
  }

  void appsAddFromInstalledAndFromAProgramFileThenRemove() {
    sandbox_->Write("data/applications/truth.desktop",
                    "[Desktop Entry]\nType=Application\nName=Truth Teller\n"
                    "Exec=/usr/bin/true --always %U\nIcon=utilities-terminal\n");
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<AppsPage>("Applications");
    const auto before = Apps(*sandbox_).size();
    WhenOpen<AddAppDialog>([](AddAppDialog& dialog) {
      QTest::keyClicks(Child<QLineEdit>(dialog, "filter"), "truth");
      auto* list = Child<QListWidget>(dialog, "installed");
      list->setCurrentItem(list->findItems("Truth Teller", Qt::MatchExactly).value(0));
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QTest::mouseClick(Child<QPushButton>(page, "add"), Qt::LeftButton);
    auto items = Apps(*sandbox_);
    QCOMPARE(items.size(), before + 1);
    QCOMPARE(ToQString(items.back().path), QString("/usr/bin/true"));
    QCOMPARE(ToQString(items.back().parameter), QString("--always"));
    QCOMPARE(ToQString(items.back().descriptionName), QString("Truth Teller"));

    WhenOpen<AddAppDialog>([](AddAppDialog& dialog) {
      WhenOpen<QFileDialog>([](QFileDialog& files) {
        files.selectFile("/usr/bin/env");
        static_cast<QDialog&>(files).accept();
      });
      QTest::mouseClick(Child<QPushButton>(dialog, "browse"), Qt::LeftButton);
      QTRY_COMPARE_WITH_TIMEOUT(dialog.program(), QString("/usr/bin/env"), kPatience);
      QTest::keyClicks(Child<QLineEdit>(dialog, "parameter"), "-i");
      dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QTest::mouseClick(Child<QPushButton>(page, "add"), Qt::LeftButton);
    items = Apps(*sandbox_);
    QCOMPARE(ToQString(items.back().path), QString("/usr/bin/env"));
    QCOMPARE(ToQString(items.back().parameter), QString("-i"));

    auto* tree = Child<QTreeWidget>(page, "apps");
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
    QTest::keyClick(tree, Qt::Key_Delete);
    QCOMPARE(ToQString(Apps(*sandbox_).back().path), QString("/usr/bin/true"));
  }

  // Two rows on one program (written by another program): Remove takes the
  // selected one, not the first, and Undo puts it back in its place.
  void appsRemoveTheSelectedRowAndUndo() {
    _Fennimar_AppItem_ twin{u"3", u"/usr/bin/firefox", u"--private", u"Private browser"};
    sandbox_->Library()->AddAppItem(twin);
    _Fennimar_AppItem_ last{u"4", u"/usr/bin/env", u"", u"Environment"};
    sandbox_->Library()->AddAppItem(last);
    const auto before = Apps(*sandbox_);
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<AppsPage>("Applications");
    auto* tree = Child<QTreeWidget>(page, "apps");
    QVERIFY(!Child<QPushButton>(page, "remove")->isEnabled());
    tree->setCurrentItem(tree->topLevelItem(2));
    QTest::mouseClick(Child<QPushButton>(page, "remove"), Qt::LeftButton);
    auto after = Apps(*sandbox_);
    QCOMPARE(after.size(), before.size() - 1);
    QCOMPARE(ToQString(after[0].descriptionName), QString("Web browser"));
    QCOMPARE(ToQString(after[2].descriptionName), QString("Environment"));
    QVERIFY(page.notice().contains("Private browser"));
    QTest::mouseClick(Child<QPushButton>(page, "noticeAction"), Qt::LeftButton);
    after = Apps(*sandbox_);
    QCOMPARE(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) QVERIFY(SameItem(after[i], before[i]));
  }

  // The count shows the limit before it is reached; when another program
  // fills the list behind the window, adding says why it failed.
  void appsShowTheLimitAndAFullList() {
    for (auto library = sandbox_->Library(); Apps(*sandbox_).size() < 7;) {
      _Fennimar_AppItem_ item{u"k", u"/usr/bin/true", u"", u"filler"};
      library->AddAppItem(item);
    }
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<AppsPage>("Applications");
    QVERIFY(Child<QLabel>(page, "count")->text().startsWith("7 of 8"));
    QCOMPARE(sandbox_->Fennimar({"apps", "add", "--key", "8", "--path", "/bin/sh"}), 0);
    WhenOpen<AddAppDialog>([](AddAppDialog& dialog) {
      QTest::keyClicks(Child<QLineEdit>(dialog, "program"), "/usr/bin/env");
      QTest::keyClicks(Child<QLineEdit>(dialog, "description"), "Environment");
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QTest::mouseClick(Child<QPushButton>(page, "add"), Qt::LeftButton);
    QVERIFY(page.notice().contains("RC_LIST_FULL"));
    QVERIFY(Child<QLabel>(page, "count")->text().contains("full"));
    QVERIFY(!Child<QPushButton>(page, "add")->isEnabled());
    QCOMPARE(Apps(*sandbox_).size(), std::size_t{8});
  }

  void backgroundFolderShowsThumbnailsAndSequenceIsSaved() {
    QImage picture(32, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QDir().mkpath(sandbox_->path("pictures"));
    for (const char* name : {"a.png", "b.jpg"}) picture.save(sandbox_->path("pictures/") + name);
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<BackgroundPage>("Background");
    Type(Child<QLineEdit>(page, "folder"), sandbox_->path("pictures"));
    Type(Child<QSpinBox>(page, "sequence"), "42");
    _Background_Config_ config;
    QCOMPARE(sandbox_->Library()->GetBackgroundConfig(config), RC_SUCCESS);
    QCOMPARE(ToQString(config.pictureFolder), sandbox_->path("pictures"));
    QCOMPARE(config.displaySequence, 42);
    auto* grid = Child<ThumbnailGrid>(page, "thumbnails");
    QTRY_VERIFY_WITH_TIMEOUT(!grid->loading(), kPatience);
    QCOMPARE(grid->count(), 2);
  }

  void workspacesEditEachKindOfField_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::newRow("text") << 1 << "Office";
    QTest::newRow("number") << 2 << "7";
  }
  void workspacesEditEachKindOfField() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    sandbox_->OpenWindow();
    auto* table = Child<QTableWidget>(sandbox_->Show<WorkspacesPage>("Workspaces"), "workspaces");
    table->setFocus();
    table->setCurrentCell(1, column);
    QTest::keyClick(table, Qt::Key_F2);
    const auto editors =
        table->viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(editors.size(), 1);
    Type(editors.first(), typed);
    // The table commits an edit when its event loop next runs.
    const auto second = [this, column] {
      std::vector<_VDESKTOPINFO_> workspaces;
      sandbox_->Library()->GetWorkspcaeConfig(workspaces);
      const auto& workspace = workspaces.at(1);
      return column == 1 ? ToQString(workspace.name) : QString::number(workspace.styleID);
    };
    QTRY_COMPARE_WITH_TIMEOUT(second(), typed, kPatience);
  }

  void wallpaperIsSetAndPreviewed() {
    QCOMPARE(sandbox_->Fennimar(
                 {"reg", "add", "HKCU\\Control Panel\\Desktop", "WallPaper", "--data", ""}),
             0);
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(sandbox_->path("wall.png"));
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<WallpaperPage>("Wallpaper");
    Type(Child<QLineEdit>(page, "path"), sandbox_->path("wall.png"));
    CString path;
    QCOMPARE(sandbox_->Library()->GetCurrentBgImage(path), RC_SUCCESS);
    QCOMPARE(ToQString(path), sandbox_->path("wall.png"));
    QVERIFY(!Child<QLabel>(page, "preview")->pixmap().isNull());
  }

  void passwordIsSetAndCheckedMasked() {
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<PasswordPage>("Password");
    auto* password = Child<QLineEdit>(page, "password");
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(password, "open sesame");
    Type(Child<QLineEdit>(page, "repeat"), "open sesame");
    QVERIFY(password->text().isEmpty());
    CString right = u"open sesame";
    CString wrong = u"Open sesame";
    QCOMPARE(sandbox_->Library()->ValidatePassword(right), RC_SUCCESS);
    QCOMPARE(sandbox_->Library()->ValidatePassword(wrong), RC_FAIL);
    Type(Child<QLineEdit>(page, "candidate"), "open sesame");
    QVERIFY(Child<QLabel>(page, "result")->text().contains("matches"));
    QVERIFY(!page.notice().contains("sesame"));
    // Enter in empty fields sets nothing; a change needs the current password.
    Type(Child<QLineEdit>(page, "repeat"), "");
    QVERIFY(Child<QLabel>(page, "result")->text().isEmpty());
    QTest::keyClicks(password, "new one");
    Type(Child<QLineEdit>(page, "repeat"), "new one");
    QVERIFY(page.notice().contains("current password is wrong"));
    QCOMPARE(sandbox_->Library()->ValidatePassword(right), RC_SUCCESS);
  }

  // F5 with the first-use flag set by another program asks first; keeping
  // the settings clears the flag and installs nothing.
  void reloadAsksBeforeTheTemplate() {
    _Fennimar_AppItem_ item{u"3", u"/usr/bin/env", u"", u"Environment"};
    sandbox_->Library()->AddAppItem(item);
    sandbox_->OpenWindow();
    QCOMPARE(sandbox_->Fennimar({"reg", "add", "HKCU\\Software\\Tarsel\\Tarsel Kestrova2",
                                 "IsFirstUse", "--type", "REG_DWORD", "--data", "1"}),
             0);
    WhenOpen<QMessageBox>([](QMessageBox& ask) {
      for (auto* button : ask.buttons()) {
        if (button->text().contains("Keep")) button->click();
      }
    });
    sandbox_->window().ReadAgain();
    QVERIFY(Listed(*sandbox_, "/usr/bin/env"));
    std::uint32_t flag = 9;
    QCOMPARE(sandbox_->Library()->GetUsedStatus(flag), RC_SUCCESS);
    QCOMPARE(flag, 0u);
  }

  void statusFlagsAreCleared() {
    sandbox_->OpenWindow();
    auto& page = sandbox_->Show<StatusPage>("Status");
    QCOMPARE(sandbox_->Fennimar({"reg", "add", "HKCU\\Software\\Tarsel\\Tarsel Kestrova2",
                                 "IsFirstUse", "--type", "REG_DWORD", "--data", "1"}),
             0);
    auto* clearFirstUse = Child<QPushButton>(page, "clearFirstUse");
    QTRY_VERIFY_WITH_TIMEOUT(clearFirstUse->isEnabled(), kPatience);
    QTest::mouseClick(clearFirstUse, Qt::LeftButton);
    std::uint32_t flag = 9;
    QCOMPARE(sandbox_->Library()->GetUsedStatus(flag), RC_SUCCESS);
    QCOMPARE(flag, 0u);
    QVERIFY(Child<QLabel>(page, "hardware")->text().contains("Not set"));
    QTest::mouseClick(Child<QPushButton>(page, "clearHardware"), Qt::LeftButton);
    QCOMPARE(sandbox_->Library()->GetLightFlagStatus(flag), RC_SUCCESS);
    QCOMPARE(flag, 0u);
  }

  void windowFollowsAnotherProgramAndKeepsItsChanges() {
    sandbox_->OpenWindow();
    auto* tree = sandbox_->Show<AppsPage>("Applications").findChild<QTreeWidget*>("apps");
    auto* sound = sandbox_->window().findChild<QCheckBox*>("soundEffect");
    QVERIFY(!sound->isChecked());
    QCOMPARE(sandbox_->Fennimar({"apps", "add", "--key", "9", "--path", "/usr/bin/gimp",
                                 "--description", "Image editor"}),
             0);
    QCOMPARE(sandbox_->Fennimar({"switches", "set", "sound-effect=1"}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItem(tree->topLevelItemCount() - 1)->text(2),
                              QString("/usr/bin/gimp"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(sound->isChecked(), kPatience);
    // A change of the window's own after the other program's keeps both.
    sandbox_->window().findChild<QCheckBox*>("lightEffect")->click();
    QVERIFY(Listed(*sandbox_, "/usr/bin/gimp"));
    sandbox_->CloseWindow();
    QVERIFY(Listed(*sandbox_, "/usr/bin/gimp"));
    _Fennimar_Config_ config;
    sandbox_->Library()->GetConfig(config);
    QCOMPARE(config.soundEffect, 1);
    QCOMPARE(config.lightEffect, 0);
  }

  void eachProblemIsExplained_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    const QByteArray noApps = "<?xml version=\"1.0\"?><Fennimar><GlobalSetting/></Fennimar>";
    QTest::newRow("unloadable document") << QByteArray("not xml <") << "Switches"
                                         << "could not be read, so the switches";
    QTest::newRow("missing section") << noApps << "Applications"
                                     << "no AppList section";
    QTest::newRow("registry value missing") << QByteArray() << "Wallpaper"
                                            << "RC_SYSTEM_ERROR";
  }
  void eachProblemIsExplained() {
    QFETCH(QByteArray, document);
    QFETCH(QString, page);
    QFETCH(QString, expected);
    if (!document.isEmpty()) sandbox_->Write("config/fennimar/Fennimar.xml", document);
    // A registry file of an older account, without the desktop's key that a
    // new one starts with.
    if (page == "Wallpaper") {
      sandbox_->Write("config/fennimar/HKEY_CURRENT_USER.reg",
                      "Windows Registry Editor Version 5.00\r\n");
    }
    sandbox_->OpenWindow();
    QVERIFY(sandbox_->window().ShowPage(page));
    const auto& pages = sandbox_->window().pages();
    const auto shown = std::find_if(pages.begin(), pages.end(),
                                    [&](SettingsPage* p) { return p->title() == page; });
    QVERIFY2((*shown)->notice().contains(expected), qPrintable((*shown)->notice()));
  }
};

}  // namespace fennimar::desktop::test

// On the offscreen platform, with the application prepared as the program
// prepares it.
int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  fennimar::desktop::PrepareApplication(application);
  fennimar::desktop::test::PagesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "Pages_test.moc"
