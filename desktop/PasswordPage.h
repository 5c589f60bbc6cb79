// PasswordPage - sets the bar's password and checks a candidate against it.
// Changing a password that exists needs the current one; no password at all
// is a separate, confirmed action, never an empty field sent by Enter. All
// fields are masked; their text goes only to the library and is cleared as
// soon as it has served.
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
  void RemovePassword();
  // Under one hold: checks the current password when a password file
  // exists, then stores `password`.
  void Store(const QString& password, const QString& done);
  bool PasswordExists();
  void Check();

  QLineEdit* current_;
  QLabel* currentLabel_;
  QPushButton* save_;
  QPushButton* remove_;
  QLineEdit* password_;
  QLineEdit* repeat_;
  QLineEdit* candidate_;
  QLabel* result_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_PASSWORDPAGE_H_
