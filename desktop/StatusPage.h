// StatusPage - the product's first-use flag (registry) and the hardware flag
// (HWinfo.ini beside the program, or the user's copy of it), each with the action that clears it,
// and where each of the settings is kept.
#ifndef FENNIMAR_DESKTOP_STATUSPAGE_H_
#define FENNIMAR_DESKTOP_STATUSPAGE_H_

#include <QPushButton>

#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class StatusPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit StatusPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void ClearFirstUse();
  void ClearHardwareFlag();

  QLabel* firstUse_;
  QPushButton* clearFirstUse_;
  QLabel* hardware_;
  QPushButton* clearHardware_;
  QLabel* places_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_STATUSPAGE_H_
