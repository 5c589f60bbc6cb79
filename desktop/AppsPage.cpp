#include "desktop/AppsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>

#include "desktop/AddAppDialog.h"
#include "desktop/Text.h"
#include "desktop/WholeValueTips.h"

namespace fennimar::desktop {
namespace {
enum Column { kDescription, kKey, kProgram, kParameter };
}

AppsPage::AppsPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Applications"),
                   tr("The programs the bar launches, in the bar's order."), parent),
      entries_(InstalledApplications()) {
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("apps"));
  tree_->setHeaderLabels({tr("Description"), tr("Key"), tr("Program"), tr("Parameter")});
  tree_->setRootIsDecorated(false);
  tree_->setIconSize(QSize(24, 24));
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(true);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("count"));
  add_ = new QPushButton(tr("&Add…"), this);
  add_->setObjectName(QStringLiteral("add"));
  remove_ = new QPushButton(tr("&Remove"), this);
  remove_->setObjectName(QStringLiteral("remove"));
  auto* row = new QHBoxLayout;
  row->addWidget(count_, 1);
  row->addWidget(add_);
  row->addWidget(remove_);
  body()->addWidget(tree_, 1);
  body()->addLayout(row);
  connect(add_, &QPushButton::clicked, this, &AppsPage::Add);
  connect(remove_, &QPushButton::clicked, this, &AppsPage::Remove);
  tree_->installEventFilter(this);
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this] { remove_->setEnabled(tree_->currentItem() != nullptr); });

  // Read aloud by screen readers; a long program path is shortened in its
  // middle, whole in its tooltip.
  tree_->setAccessibleName(tr("Applications on the bar"));
  tree_->setAccessibleDescription(
      tr("One row per application: description, key, program and "
         "parameter. Delete removes the selected row."));
  tree_->setTextElideMode(Qt::ElideMiddle);
  tree_->header()->setSectionResizeMode(kProgram, QHeaderView::Stretch);
  tree_->header()->setStretchLastSection(false);
  ShowWholeValues(*tree_);
}

// The Delete key in the list removes the selected application.
bool AppsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
    Remove();
    return true;
  }
  return SettingsPage::eventFilter(watched, event);
}

void AppsPage::Load() {
  std::vector<_Fennimar_AppItem_> items;
  const auto code = settings().library().GetApplicationsList(items);
  const int row = tree_->currentIndex().row();
  tree_->clear();
  for (const auto& item : items) {
    auto* line = new QTreeWidgetItem(tree_, {ToQString(item.descriptionName), ToQString(item.key),
                                             ToQString(item.path), ToQString(item.parameter)});
    line->setIcon(kDescription, IconForProgram(ToQString(item.path), entries_));
  }
  if (row >= 0 && row < tree_->topLevelItemCount()) tree_->setCurrentItem(tree_->topLevelItem(row));
  remove_->setEnabled(tree_->currentItem() != nullptr);
  if (code != RC_SUCCESS) {
    add_->setEnabled(false);
    count_->clear();
    ShowSectionProblem(QStringLiteral("AppList"), tr("the applications"), code, From::kLoad);
    return;
  }
  LoadOk();
  ShowCount(static_cast<int>(items.size()));
}

void AppsPage::ShowCount(int count) {
  if (count >= kLimit) {
    count_->setText(tr("%1 of %2 applications: the list is full. Remove one to add another.")
                        .arg(count)
                        .arg(kLimit));
  } else {
    count_->setText(tr("%1 of %2 applications; %3 more can be added.")
                        .arg(count)
                        .arg(kLimit)
                        .arg(kLimit - count));
  }
  add_->setEnabled(count < kLimit);
}

QString AppsPage::NextKey() const {
  int highest = 0;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    highest = std::max(highest, tree_->topLevelItem(i)->text(kKey).toInt());
  }
  return QString::number(highest + 1);
}

void AppsPage::Add() {
  AddAppDialog dialog(entries_, NextKey(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  _Fennimar_AppItem_ item{ToCString(dialog.key()), ToCString(dialog.program()),
                          ToCString(dialog.parameter()), ToCString(dialog.description())};
  const auto code = settings().Apply(
      [&](FennimarDllInterface& library) { return library.AddAppItem(item); });
  Load();
  Report(code);
}

void AppsPage::Remove() {
  const auto* current = tree_->currentItem();
  if (current == nullptr) return;
  CString path = ToCString(current->text(kProgram));
  const auto code = settings().Apply(
      [&](FennimarDllInterface& library) { return library.DeleteAppItem(path); });
  Load();
  Report(code);
}

void AppsPage::Report(_Fennimar_ReturnCode_ code) {
  if (code == RC_SUCCESS) {
    ClearNotice();
    return;
  }
  if (code == RC_LIST_FULL) {
    ShowProblem(tr("The application was not added (%1): the bar's list already holds %2 "
                   "applications, its limit. Remove one, then add it again.")
                    .arg(CodeName(code))
                    .arg(kLimit));
    return;
  }
  ShowSectionProblem(QStringLiteral("AppList"), tr("the applications"), code);
}

}  // namespace fennimar::desktop
