// AppsPage - the applications the bar launches, with their icons; add one
// from the installed applications or a program file, remove the selected one
// (and undo that). The count against the library's limit is always in view.
#ifndef FENNIMAR_DESKTOP_APPSPAGE_H_
#define FENNIMAR_DESKTOP_APPSPAGE_H_

#include <QPushButton>
#include <QTreeWidget>
#include <vector>

#include "desktop/AddAppDialog.h"
#include "desktop/AppList.h"
#include "desktop/DesktopEntries.h"
#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class AppsPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit AppsPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Add();
  void Remove();
  void Restore(const _Fennimar_AppItem_& item, std::size_t row);
  void ShowCount(int count);
  AppItems Latest();
  QString CheckNew(AddAppDialog& dialog);
  void Report(_Fennimar_ReturnCode_ code, const QString& problem = QString());

  std::vector<DesktopEntry> entries_;
  QTreeWidget* tree_;
  QLabel* count_;
  QPushButton* add_;
  QPushButton* remove_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_APPSPAGE_H_
