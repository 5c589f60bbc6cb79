#include "desktop/PasswordPage.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <cstring>

#include "desktop/Text.h"

namespace fennimar::desktop {
namespace {

QLineEdit* MaskedField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setEchoMode(QLineEdit::Password);
  field->setMaximumWidth(360);
  return field;
}

// A button at its natural size, at the start of its form row.
QHBoxLayout* Left(QWidget* button) {
  auto* row = new QHBoxLayout;
  row->addWidget(button);
  row->addStretch(1);
  return row;
}

}  // namespace

PasswordPage::PasswordPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Password"),
                   tr("The password the bar asks for. It is kept scrambled in the password file, "
                      "which hides it from a glance but does not protect it from anyone who "
                      "can read the file."),
                   parent) {
  current_ = MaskedField("current", this);
  password_ = MaskedField("password", this);
  repeat_ = MaskedField("repeat", this);
  candidate_ = MaskedField("candidate", this);
  save_ = new QPushButton(tr("S&et password"), this);
  save_->setObjectName(QStringLiteral("save"));
  remove_ = new QPushButton(tr("Re&move password…"), this);
  remove_->setObjectName(QStringLiteral("removePassword"));
  auto* check = new QPushButton(tr("&Check"), this);
  check->setObjectName(QStringLiteral("check"));
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("result"));

  auto* setBox = new QGroupBox(tr("Set a new password"), this);
  auto* setForm = new QFormLayout(setBox);
  currentLabel_ = new QLabel(tr("C&urrent password:"), this);
  currentLabel_->setBuddy(current_);
  setForm->addRow(currentLabel_, current_);
  setForm->addRow(tr("&New password:"), password_);
  setForm->addRow(tr("&Repeat it:"), repeat_);
  auto* buttons = Left(save_);
  buttons->insertWidget(1, remove_);
  setForm->addRow(QString(), buttons);
  auto* checkBox = new QGroupBox(tr("Check a password"), this);
  auto* checkForm = new QFormLayout(checkBox);
  checkForm->addRow(tr("&Password:"), candidate_);
  checkForm->addRow(QString(), Left(check));
  checkForm->addRow(QString(), result_);
  body()->addWidget(setBox);
  body()->addWidget(checkBox);
  body()->addStretch(1);

  connect(save_, &QPushButton::clicked, this, &PasswordPage::Save);
  connect(repeat_, &QLineEdit::returnPressed, this, &PasswordPage::Save);
  connect(remove_, &QPushButton::clicked, this, &PasswordPage::RemovePassword);
  // A check's answer is about the text that was checked; it goes once the
  // field changes or a new password is set.
  connect(candidate_, &QLineEdit::textEdited, result_, &QLabel::clear);
  connect(password_, &QLineEdit::textChanged, this,
          [this](const QString& text) { save_->setEnabled(!text.isEmpty()); });
  save_->setEnabled(false);
  connect(check, &QPushButton::clicked, this, &PasswordPage::Check);
  connect(candidate_, &QLineEdit::returnPressed, this, &PasswordPage::Check);
}

bool PasswordPage::PasswordExists() { return QFileInfo::exists(settings().paths().passwordFile); }

void PasswordPage::Load() {
  const bool exists = PasswordExists();
  current_->setVisible(exists);
  currentLabel_->setVisible(exists);
  remove_->setEnabled(exists);
}

void PasswordPage::Save() {
  result_->clear();
  if (password_->text().isEmpty()) {
    ShowProblem(
        tr("Type the new password twice; nothing was changed. To have no password at "
           "all, use Remove Password."));
    password_->setFocus();
    return;
  }
  if (password_->text() != repeat_->text()) {
    repeat_->clear();
    ShowProblem(tr("The two passwords differ; nothing was changed. Type the new password twice."));
    repeat_->setFocus();
    return;
  }
  const QString password = password_->text();
  password_->clear();
  repeat_->clear();
  Store(password, tr("The new password is set."));
}

void PasswordPage::RemovePassword() {
  QMessageBox ask(QMessageBox::Warning, tr("Remove the password?"),
                  tr("The bar will then let anyone in without asking for a password."),
                  QMessageBox::Cancel, this);
  auto* remove = ask.addButton(tr("&Remove Password"), QMessageBox::DestructiveRole);
  ask.setDefaultButton(QMessageBox::Cancel);
  ask.exec();
  if (ask.clickedButton() != remove) return;
  Store(QString(), tr("The password is removed: the bar asks for none."));
}

void PasswordPage::Store(const QString& password, const QString& done) {
  CString current = ToCString(current_->text());
  CString wanted = ToCString(password);
  const bool check = PasswordExists();
  current_->clear();
  result_->clear();
  auto code = RC_SUCCESS;
  try {
    code = settings().Apply([&](FennimarDllInterface& library) {
      const auto matches = check ? library.ValidatePassword(current) : RC_SUCCESS;
      return matches == RC_SUCCESS ? library.SavePassword(wanted) : matches;
    });
  } catch (const CFileException& error) {
    ShowProblem(tr("The password was not set: the password file %1 cannot be written. Check "
                   "that its folder exists and that you may write to it.")
                    .arg(ToQString(error.GetFilePath())),
                QString::fromLocal8Bit(std::strerror(error.GetOsError())));
    return;
  }
  Load();
  if (code == RC_FAIL) {
    ShowProblem(
        tr("The current password is wrong; nothing was changed. Type the password "
           "the bar asks for now, then the new one."));
    current_->setFocus();
  } else if (code != RC_SUCCESS) {
    ShowProblem(tr("The current password could not be checked: the password file %1 cannot "
                   "be read.")
                    .arg(settings().paths().passwordFile),
                CodeName(code));
  } else {
    ShowInfo(done);
  }
}

void PasswordPage::Check() {
  CString candidate = ToCString(candidate_->text());
  candidate_->clear();
  auto code = RC_FILE_ERROR;
  try {
    code = settings().Apply([&candidate](FennimarDllInterface& library) {
      return library.ValidatePassword(candidate);
    });
  } catch (const CFileException&) {
    code = RC_FILE_ERROR;
  }
  switch (code) {
    case RC_SUCCESS:
      result_->setText(tr("✔ The password matches."));
      break;
    case RC_FAIL:
      result_->setText(tr("✘ The password does not match."));
      break;
    default:
      result_->setText(tr("No password can be checked: the password file %1 cannot be "
                          "opened. Set a password first.\nDetails: %2")
                           .arg(settings().paths().passwordFile, CodeName(code)));
  }
}

}  // namespace fennimar::desktop
