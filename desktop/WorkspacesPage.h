// WorkspacesPage - one row per workspace, one column per field; number
// fields are edited as numbers, text fields as text. The key is the
// workspace's identity and is shown but never changed.
#ifndef FENNIMAR_DESKTOP_WORKSPACESPAGE_H_
#define FENNIMAR_DESKTOP_WORKSPACESPAGE_H_

#include <QTableWidget>

#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class WorkspacesPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit WorkspacesPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void Edited(QTableWidgetItem* cell);

  QTableWidget* table_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_WORKSPACESPAGE_H_
