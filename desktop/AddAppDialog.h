// AddAppDialog - asks for a new application of the bar: choose one of the
// installed applications (which fills in the fields) or pick a program file,
// then adjust key, parameter and description.
#ifndef FENNIMAR_DESKTOP_ADDAPPDIALOG_H_
#define FENNIMAR_DESKTOP_ADDAPPDIALOG_H_

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <vector>

#include "desktop/DesktopEntries.h"

namespace fennimar::desktop {

class AddAppDialog : public QDialog {
  Q_OBJECT

 public:
  AddAppDialog(const std::vector<DesktopEntry>& entries, const QString& key, QWidget* parent);

  QString key() const { return key_->text(); }
  QString program() const { return program_->text(); }
  QString parameter() const { return parameter_->text(); }
  QString description() const { return description_->text(); }

 private:
  void Filter(const QString& text);
  void Choose(QListWidgetItem* item);
  void Browse();
  void UpdateOk();

  const std::vector<DesktopEntry>& entries_;
  QLineEdit* filter_;
  QListWidget* list_;
  QLineEdit* key_;
  QLineEdit* program_;
  QLineEdit* parameter_;
  QLineEdit* description_;
  QPushButton* ok_ = nullptr;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_ADDAPPDIALOG_H_
