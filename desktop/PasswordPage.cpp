#include "desktop/PasswordPage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
  password_ = MaskedField("password", this);
  repeat_ = MaskedField("repeat", this);
  candidate_ = MaskedField("candidate", this);
  auto* save = new QPushButton(tr("S&et password"), this);
  save->setObjectName(QStringLiteral("save"));
  auto* check = new QPushButton(tr("&Check"), this);
  check->setObjectName(QStringLiteral("check"));
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("result"));

  auto* setBox = new QGroupBox(tr("Set a new password"), this);
  auto* setForm = new QFormLayout(setBox);
  setForm->addRow(tr("&New password:"), password_);
  setForm->addRow(tr("&Repeat it:"), repeat_);
  setForm->addRow(QString(), Left(save));
  auto* checkBox = new QGroupBox(tr("Check a password"), this);
  auto* checkForm = new QFormLayout(checkBox);
  checkForm->addRow(tr("&Password:"), candidate_);
  checkForm->addRow(QString(), Left(check));
  checkForm->addRow(QString(), result_);
  body()->addWidget(setBox);
  body()->addWidget(checkBox);
  body()->addStretch(1);

  connect(save, &QPushButton::clicked, this, &PasswordPage::Save);
  connect(repeat_, &QLineEdit::returnPressed, this, &PasswordPage::Save);
  connect(check, &QPushButton::clicked, this, &PasswordPage::Check);
  connect(candidate_, &QLineEdit::returnPressed, this, &PasswordPage::Check);
}

void PasswordPage::Load() {}

void PasswordPage::Save() {
  if (password_->text() != repeat_->text()) {
    repeat_->clear();
    ShowProblem(tr("The two passwords differ; nothing was changed. Type the new password twice."));
    repeat_->setFocus();
    return;
  }
  CString password = ToCString(password_->text());
  password_->clear();
  repeat_->clear();
  try {
    settings().Apply([&password](FennimarDllInterface& library) {
      return library.SavePassword(password);
    });
    ShowInfo(tr("The new password is set."));
  } catch (const CFileException& error) {
    ShowProblem(tr("The password was not set: the password file %1 cannot be written (%2). "
                   "Check that its folder exists and that you may write to it.")
                    .arg(ToQString(error.GetFilePath()),
                         QString::fromLocal8Bit(std::strerror(error.GetOsError()))));
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
      result_->setText(tr("No password can be checked (%1): the password file %2 cannot be "
                          "opened. Set a password first.")
                           .arg(CodeName(code), settings().paths().passwordFile));
  }
}

}  // namespace fennimar::desktop
