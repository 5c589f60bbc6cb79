#include "desktop/MainWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMessageBox>
#include <algorithm>

#include "desktop/Accessibility.h"
#include "desktop/Application.h"
#include "desktop/AppsPage.h"
#include "desktop/BackgroundPage.h"
#include "desktop/HelpMenu.h"
#include "desktop/PasswordPage.h"
#include "desktop/StatusPage.h"
#include "desktop/SwitchesPage.h"
#include "desktop/WallpaperPage.h"
#include "desktop/WorkspacesPage.h"

namespace fennimar::desktop {

MainWindow::MainWindow(const SettingsPaths& paths, QWidget* parent)
    : QMainWindow(parent),
      settings_(paths),
      watcher_({paths.document, paths.registryFile, paths.iniFile}) {
  setWindowTitle(tr("Fennimar Settings"));
  setWindowIcon(ProgramIcon());
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("pages"));
  list_->setIconSize(QSize(22, 22));
  list_->setSpacing(2);
  stack_ = new QStackedWidget(this);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(list_);
  layout->addWidget(stack_, 1);
  setCentralWidget(central);

  AddPage(new AppsPage(settings_), QStringLiteral("applications-other"));
  AddPage(new SwitchesPage(settings_), QStringLiteral("preferences-system"));
  AddPage(new BackgroundPage(settings_), QStringLiteral("folder-pictures"));
  AddPage(new WorkspacesPage(settings_), QStringLiteral("video-display"));
  AddPage(new WallpaperPage(settings_), QStringLiteral("preferences-desktop-wallpaper"));
  AddPage(new PasswordPage(settings_), QStringLiteral("dialog-password"));
  AddPage(new StatusPage(settings_), QStringLiteral("dialog-information"));
  int widest = 0;
  for (const auto* page : pages_) {
    widest = std::max(widest, list_->fontMetrics().horizontalAdvance(page->title()));
  }
  list_->setFixedWidth(widest + list_->iconSize().width() + 48);
  connect(list_, &QListWidget::currentRowChanged, stack_, &QStackedWidget::setCurrentIndex);
  list_->setCurrentRow(0);

  auto* reload = new QAction(tr("Reload"), this);
  reload->setShortcut(QKeySequence::Refresh);
  connect(reload, &QAction::triggered, this, &MainWindow::ReadAgain);
  addAction(reload);
  // Ctrl+Page Down and Ctrl+Page Up step through the pages from anywhere.
  const std::pair<QKeySequence::StandardKey, int> steps[] = {{QKeySequence::NextChild, 1},
                                                             {QKeySequence::PreviousChild, -1}};
  for (const auto& [key, step] : steps) {
    auto* turn = new QAction(this);
    turn->setShortcuts({QKeySequence(key), QKeySequence(step > 0 ? Qt::CTRL | Qt::Key_PageDown
                                                                 : Qt::CTRL | Qt::Key_PageUp)});
    connect(turn, &QAction::triggered, this, [this, step = step] {
      const int count = list_->count();
      list_->setCurrentRow((list_->currentRow() + step + count) % count);
    });
    addAction(turn);
  }
  auto* quit = new QAction(tr("Quit"), this);
  // Ctrl+Q also where the platform theme's key scheme has no Quit (the
  // Windows scheme, which qt6ct and other themes report by default).
  quit->setShortcuts(QKeySequence::keyBindings(QKeySequence::Quit).isEmpty()
                         ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)}
                         : QKeySequence::keyBindings(QKeySequence::Quit));
  connect(quit, &QAction::triggered, this, &QWidget::close);
  addAction(quit);
  AddHelpMenu(*this);
  list_->setAccessibleName(tr("Pages"));
  list_->setAccessibleDescription(tr("Choose the page of settings to show."));

  connect(&watcher_, &SettingsWatcher::changed, this, [this] {
    Reload();
    emit reloaded();
  });
  Reload();
  resize(900, 600);
}

// The pages go first, while the settings they write to still exist: closing
// a page can still commit an edit in progress.
MainWindow::~MainWindow() { delete takeCentralWidget(); }

void MainWindow::AddPage(SettingsPage* page, const QString& icon) {
  auto* item = new QListWidgetItem(QIcon::fromTheme(icon), page->title(), list_);
  item->setSizeHint(QSize(0, 36));
  stack_->addWidget(page);
  pages_.push_back(page);
  NameControls(*page);
}

bool MainWindow::ShowPage(const QString& title) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->title() == title) {
      list_->setCurrentRow(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

void MainWindow::Reload() {
  for (auto* page : pages_) page->Load();
  watcher_.Acknowledge();
}

// Reading again never replaces settings by surprise: a missing document has
// nothing to lose, but when another program has set the first-use flag the
// user chooses between keeping the settings and taking the template.
void MainWindow::ReadAgain() {
  if (!settings_.ReopenInstallsTemplate()) {
    Reload();
    return;
  }
  const bool missing = !QFileInfo::exists(settings_.paths().document);
  if (!missing && !AskToInstallTemplate()) return;
  settings_.Reopen();
  Reload();
  auto* page = pages_[static_cast<std::size_t>(stack_->currentIndex())];
  page->Announce(missing ? tr("The settings document was missing: a fresh copy of the template "
                              "now takes its place.")
                         : tr("The settings were replaced with the template."));
}

// True to install the template; "Keep My Settings" clears the flag instead.
bool MainWindow::AskToInstallTemplate() {
  QMessageBox ask(QMessageBox::Warning, tr("Replace the settings with the template?"),
                  tr("Another program has set the first-use flag, which asks for the settings "
                     "to start again from the template. Reading them again now would replace "
                     "the applications, switches, background and workspaces with the "
                     "template's."),
                  QMessageBox::NoButton, this);
  ask.setInformativeText(tr("Keep your settings (the flag is cleared), or replace them?"));
  auto* keep = ask.addButton(tr("&Keep My Settings"), QMessageBox::AcceptRole);
  auto* replace = ask.addButton(tr("&Replace with Template"), QMessageBox::DestructiveRole);
  ask.addButton(QMessageBox::Cancel);
  ask.setDefaultButton(keep);
  ask.exec();
  if (ask.clickedButton() == replace) return true;
  if (ask.clickedButton() == keep) {
    settings_.Apply([](FennimarDllInterface& library) { return library.SetUsedStatus(); });
  }
  Reload();
  return false;
}

}  // namespace fennimar::desktop
