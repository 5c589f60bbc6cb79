// PasswordPage - sets the bar's password and checks a candidate against it.
// Both fields are masked; their text goes only to the library and is cleared
// as soon as it has served.
#ifndef FENNIMAR_DESKTOP_PASSWORDPAGE_H_
#define FENNIMAR_DESKTOP_PASSWORDPAGE_H_

#include <QLineEdit>
#include <QPushButton>

#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class PasswordPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit PasswordPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void Save();
  void Check();

  QLineEdit* password_;
  QLineEdit* repeat_;
  QLineEdit* candidate_;
  QLabel* result_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_PASSWORDPAGE_H_
