// AddAppDialog - asks for a new application of the bar: choose one of the
// installed applications (which fills in the fields) or pick a program file,
// then adjust key, parameter and description. Add closes the dialog only
// when the program is an executable file and the page's check agrees.
#ifndef FENNIMAR_DESKTOP_ADDAPPDIALOG_H_
#define FENNIMAR_DESKTOP_ADDAPPDIALOG_H_

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <vector>

#include "desktop/DesktopEntries.h"

namespace fennimar::desktop {

class AddAppDialog : public QDialog {
  Q_OBJECT

 public:
  // Why the fields cannot be added, or empty; may change the key field to
  // offer a free key.
  using Check = std::function<QString(AddAppDialog&)>;

  AddAppDialog(const std::vector<DesktopEntry>& entries, const QString& key, Check check,
               QWidget* parent);
  void setKey(const QString& key) { key_->setText(key); }

  QString key() const { return key_->text(); }
  QString program() const { return program_->text(); }
  QString parameter() const { return parameter_->text(); }
  QString description() const { return description_->text(); }

 private:
  void Filter(const QString& text);
  void Choose(QListWidgetItem* item);
  void Browse();
  void UpdateOk();
  void accept() override;

  const std::vector<DesktopEntry>& entries_;
  QLineEdit* filter_;
  QListWidget* list_;
  QLineEdit* key_;
  QLineEdit* program_;
  QLineEdit* parameter_;
  QLineEdit* description_;
  QLabel* problem_;
  Check check_;
  QPushButton* ok_ = nullptr;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_ADDAPPDIALOG_H_
