// MainWindow - the pages of fennimar-settings beside a list that selects
// them, kept up to date with the settings on disk: when another program
// changes them the window reads them afresh.
#ifndef FENNIMAR_DESKTOP_MAINWINDOW_H_
#define FENNIMAR_DESKTOP_MAINWINDOW_H_

#include <QListWidget>
#include <QMainWindow>
#include <QStackedWidget>
#include <vector>

#include "desktop/Settings.h"
#include "desktop/SettingsPage.h"
#include "desktop/SettingsWatcher.h"

namespace fennimar::desktop {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(const SettingsPaths& paths, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the page with this title ("Applications"...); false when none has it.
  bool ShowPage(const QString& title);
  const std::vector<SettingsPage*>& pages() const { return pages_; }
  // Shows every setting as the document holds it now.
  void Reload();
  // F5: Reload(), or, where only a new opening helps (a missing document) or
  // would install the template (the first-use flag set by another program),
  // that opening, after asking before anything is replaced.
  void ReadAgain();

 signals:
  // The pages show what is on disk after another program's change.
  void reloaded();

 private:
  void AddPage(SettingsPage* page, const QString& icon);
  bool AskToInstallTemplate();

  Settings settings_;
  SettingsWatcher watcher_;
  QListWidget* list_;
  QStackedWidget* stack_;
  std::vector<SettingsPage*> pages_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_MAINWINDOW_H_
