#include "desktop/AppsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "desktop/AddAppDialog.h"
#include "desktop/Text.h"
#include "desktop/WholeValueTips.h"
#include "fennimar/Rules.h"

namespace fennimar::desktop {
namespace {
enum Column { kDescription, kKey, kProgram, kParameter };

// At most this many items can be added through the library.
const int kLimit = static_cast<int>(FennimarRules::MaxApplications());
}  // namespace

AppsPage::AppsPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Applications"),
                   tr("The programs the bar launches, in the bar's order."), parent),
      entries_(InstalledApplications()) {
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("apps"));
  tree_->setHeaderLabels({tr("Description"), tr("Key"), tr("Program"), tr("Parameter")});
  tree_->setRootIsDecorated(false);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
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
  // Remove acts on the row shown selected, never on one that only has focus.
  connect(tree_, &QTreeWidget::itemSelectionChanged, this,
          [this] { remove_->setEnabled(!tree_->selectedItems().isEmpty()); });

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
  const auto selected = tree_->selectedItems();
  const int row = selected.isEmpty() ? -1 : tree_->indexOfTopLevelItem(selected.first());
  tree_->clear();
  for (const auto& item : items) {
    auto* line = new QTreeWidgetItem(tree_, {ToQString(item.descriptionName), ToQString(item.key),
                                             ToQString(item.path), ToQString(item.parameter)});
    line->setIcon(kDescription, IconForProgram(ToQString(item.path), entries_));
  }
  if (row >= 0 && row < tree_->topLevelItemCount()) tree_->setCurrentItem(tree_->topLevelItem(row));
  remove_->setEnabled(!tree_->selectedItems().isEmpty());
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

AppItems AppsPage::Latest() {
  AppItems items;
  settings().library().GetApplicationsList(items);
  return items;
}

// Run when the user presses Add, on the list as it is now, so that two
// dialogs (or another program) cannot hand out one key twice.
QString AppsPage::CheckNew(AddAppDialog& dialog) {
  const auto items = Latest();
  const _Fennimar_AppItem_ item{
      ToCString(dialog.key()), ToCString(dialog.program()), {}, ToCString(dialog.description())};
  const QString problem = AddProblem(items, item, kLimit);
  // A key taken meanwhile: the field offers a free one in its place.
  const QString free = FreeKey(items, kLimit);
  if (!problem.isEmpty() && !free.isEmpty() &&
      AddProblem(items, {ToCString(free), item.path, {}, item.descriptionName}, kLimit).isEmpty()) {
    dialog.setKey(free);
  }
  return problem;
}

void AppsPage::Add() {
  AddAppDialog dialog(
      entries_, FreeKey(Latest(), kLimit), [this](AddAppDialog& asked) { return CheckNew(asked); },
      this);
  if (dialog.exec() != QDialog::Accepted) return;
  _Fennimar_AppItem_ item{ToCString(dialog.key().trimmed()), ToCString(dialog.program()),
                          ToCString(dialog.parameter()), ToCString(dialog.description())};
  QString problem;
  const auto code = settings().Apply([&](FennimarDllInterface& library) {
    AppItems items;
    library.GetApplicationsList(items);
    problem = AddProblem(items, item, kLimit);
    return problem.isEmpty() ? library.AddAppItem(item) : RC_SUCCESS;
  });
  Load();
  Report(code, problem);
}

// The library removes the first item with a path; RewriteList removes
// exactly the selected row, which the list must still hold where it was.
void AppsPage::Remove() {
  const auto selected = tree_->selectedItems();
  if (selected.isEmpty()) return;
  const auto row = static_cast<std::size_t>(tree_->indexOfTopLevelItem(selected.first()));
  const _Fennimar_AppItem_ shown{ToCString(selected.first()->text(kKey)),
                                 ToCString(selected.first()->text(kProgram)),
                                 ToCString(selected.first()->text(kParameter)),
                                 ToCString(selected.first()->text(kDescription))};
  bool moved = false;
  const auto code = settings().Apply([&](FennimarDllInterface& library) {
    AppItems now;
    const auto read = library.GetApplicationsList(now);
    if (read != RC_SUCCESS) return read;
    moved = row >= now.size() || !SameItem(now[row], shown);
    if (moved) return RC_SUCCESS;
    // The usual case, the first row on its program, is one removal.
    CString path = shown.path;
    const auto first = std::find_if(
        now.begin(), now.end(), [&](const _Fennimar_AppItem_& item) { return item.path == path; });
    if (first - now.begin() == static_cast<std::ptrdiff_t>(row)) return library.DeleteAppItem(path);
    AppItems want = now;
    want.erase(want.begin() + static_cast<std::ptrdiff_t>(row));
    return RewriteList(library, now, want);
  });
  Load();
  if (moved) {
    Report(code, tr("Nothing was removed: another program changed the list meanwhile. Here it "
                    "is as it is now; select the application again."));
    return;
  }
  if (code != RC_SUCCESS) {
    Report(code);
    return;
  }
  ShowInfo(tr("“%1” was removed from the bar.").arg(ToQString(shown.descriptionName)), tr("&Undo"),
           [this, shown, row] { Restore(shown, row); });
}

// Undo puts the item back in its old place.
void AppsPage::Restore(const _Fennimar_AppItem_& item, std::size_t row) {
  const auto code = settings().Apply([&](FennimarDllInterface& library) {
    AppItems now;
    const auto read = library.GetApplicationsList(now);
    if (read != RC_SUCCESS) return read;
    if (now.size() >= static_cast<std::size_t>(kLimit)) return RC_LIST_FULL;
    AppItems want = now;
    want.insert(want.begin() + static_cast<std::ptrdiff_t>(std::min(row, now.size())), item);
    return RewriteList(library, now, want);
  });
  Load();
  Report(code);
}

void AppsPage::Report(_Fennimar_ReturnCode_ code, const QString& problem) {
  if (ShowFailedSave(code)) return;
  if (code == RC_SUCCESS && !problem.isEmpty()) {
    ShowProblem(problem);
    return;
  }
  if (code == RC_SUCCESS) {
    ClearNotice();
    return;
  }
  if (code == RC_LIST_FULL) {
    ShowProblem(tr("The application was not added: the bar's list already holds %1 "
                   "applications, its limit. Remove one, then add it again.")
                    .arg(kLimit),
                CodeName(code));
    return;
  }
  ShowSectionProblem(QStringLiteral("AppList"), tr("the applications"), code);
}

}  // namespace fennimar::desktop
