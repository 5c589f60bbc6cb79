#include "desktop/AddAppDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <utility>

#include "desktop/Accessibility.h"
#include "desktop/WholeValueTips.h"
#include "fennimar/Rules.h"

namespace fennimar::desktop {

AddAppDialog::AddAppDialog(const std::vector<DesktopEntry>& entries, const QString& key,
                           Check check, QWidget* parent)
    : QDialog(parent), entries_(entries), check_(std::move(check)) {
  setWindowTitle(tr("Add an application"));
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("filter"));
  filter_->setPlaceholderText(tr("Type to filter the installed applications"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("installed"));
  list_->setIconSize(QSize(24, 24));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto* item = new QListWidgetItem(IconFor(entries[i]), entries[i].name, list_);
    item->setData(Qt::UserRole, static_cast<int>(i));
    item->setToolTip(entries[i].program);
  }
  key_ = new QLineEdit(key, this);
  key_->setObjectName(QStringLiteral("key"));
  program_ = new QLineEdit(this);
  program_->setObjectName(QStringLiteral("program"));
  parameter_ = new QLineEdit(this);
  parameter_->setObjectName(QStringLiteral("parameter"));
  description_ = new QLineEdit(this);
  description_->setObjectName(QStringLiteral("description"));
  key_->setToolTip(
      tr("The item's place on the bar, a number from 1 to %1 that no other "
         "application uses.")
          .arg(FennimarRules::MaxApplications()));
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("problem"));
  problem_->setWordWrap(true);
  problem_->hide();
  auto* browse = new QPushButton(tr("&Browse…"), this);
  browse->setObjectName(QStringLiteral("browse"));

  auto* programRow = new QHBoxLayout;
  programRow->addWidget(program_, 1);
  programRow->addWidget(browse);
  auto* form = new QFormLayout;
  auto* programLabel = new QLabel(tr("&Program:"), this);
  programLabel->setBuddy(program_);
  form->addRow(programLabel, programRow);
  form->addRow(tr("P&arameter:"), parameter_);
  form->addRow(tr("&Description:"), description_);
  form->addRow(tr("&Key:"), key_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setText(tr("Add"));

  auto* layout = new QVBoxLayout(this);
  auto* installed = new QLabel(tr("&Installed applications:"), this);
  installed->setBuddy(filter_);
  layout->addWidget(installed);
  layout->addWidget(filter_);
  layout->addWidget(list_, 1);
  layout->addLayout(form);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  resize(520, 560);

  connect(filter_, &QLineEdit::textChanged, this, &AddAppDialog::Filter);
  connect(list_, &QListWidget::currentItemChanged, this, &AddAppDialog::Choose);
  connect(browse, &QPushButton::clicked, this, &AddAppDialog::Browse);
  for (auto* field : {program_, description_, key_}) {
    connect(field, &QLineEdit::textChanged, this, &AddAppDialog::UpdateOk);
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  UpdateOk();

  // Read aloud by screen readers; the other fields are named by their labels.
  filter_->setAccessibleName(tr("Filter the installed applications"));
  list_->setAccessibleName(tr("Installed applications"));
  list_->setAccessibleDescription(tr("Choosing one fills in its program and description."));
  NameControls(*this);
  ShowWholeValues(*list_);
}

void AddAppDialog::Filter(const QString& text) {
  for (int row = 0; row < list_->count(); ++row) {
    auto* item = list_->item(row);
    item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
  }
}

void AddAppDialog::Choose(QListWidgetItem* item) {
  if (item == nullptr) return;
  const auto& entry = entries_[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
  program_->setText(entry.program);
  parameter_->setText(entry.parameters);
  description_->setText(entry.name);
}

void AddAppDialog::Browse() {
  QFileDialog dialog(this, tr("Choose a program"), QStringLiteral("/usr/bin"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  // No permission filter: the file dialog's model hides every entry that has
  // a permission the filter does not name, so "Executable" alone left each
  // folder empty. Add checks that the program can be run.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString chosen = dialog.selectedFiles().first();
  program_->setText(chosen);
  parameter_->clear();
  if (description_->text().isEmpty()) description_->setText(QFileInfo(chosen).fileName());
}

void AddAppDialog::UpdateOk() {
  problem_->hide();
  ok_->setEnabled(!program_->text().trimmed().isEmpty() &&
                  !description_->text().trimmed().isEmpty() && !key_->text().trimmed().isEmpty());
}

// A bare name is looked up on PATH and stored with its full path, as the bar
// starts programs by path.
void AddAppDialog::accept() {
  QString program = program_->text().trimmed();
  if (!program.contains(QLatin1Char('/'))) {
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty()) program = found;
  }
  const QFileInfo file(program);
  QString problem;
  if (!file.isFile() || !file.isExecutable()) {
    problem = tr("%1 is not a program that can be run: choose an executable file (Browse…) or "
                 "an installed application.")
                  .arg(program);
  } else {
    program_->setText(program);
    if (check_) problem = check_(*this);
  }
  if (problem.isEmpty()) {
    QDialog::accept();
    return;
  }
  problem_->setText(problem);
  problem_->show();
}

}  // namespace fennimar::desktop
