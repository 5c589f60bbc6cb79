#include "desktop/WorkspacesPage.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <memory>
#include <string_view>
#include <vector>

#include "desktop/Text.h"
#include "desktop/WholeValueTips.h"
#include "fennimar/Rules.h"

namespace fennimar::desktop {
namespace {

// A column: one of the library's workspace fields and its header.
struct Field {
  const char* header;
  std::u16string_view stored;  // the attribute's name in the document
  int _VDESKTOPINFO_::*number;
  CString _VDESKTOPINFO_::*text;
};

// The headers of the library's fields, by their stored names.
struct Header {
  std::u16string_view stored;
  const char* header;
};
constexpr Header kHeaders[] = {
    {u"key", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Key")},
    {u"name", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Name")},
    {u"styleID", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Style")},
    {u"mouseStyle", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Mouse style")},
    {u"emRecylePath", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Em. recycle path")},
    {u"fuRecylePath", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Fu. recycle path")},
    {u"mouseNo", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Mouse no.")},
    {u"recyleNo", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Recycle no.")},
    {u"useTarsel", QT_TRANSLATE_NOOP("fennimar::desktop::WorkspacesPage", "Use bar")},
};

// One column per field the library reads, in its order (the key first); a
// field without a header here is headed by its stored name.
const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = [] {
    std::vector<Field> columns;
    for (const auto& field : FennimarRules::WorkspaceFields()) {
      const char* header = nullptr;
      for (const auto& known : kHeaders)
        header = known.stored == field.name ? known.header : header;
      columns.push_back({header, field.name, field.number, field.text});
    }
    return columns;
  }();
  return fields;
}

QString Stored(const Field& field) {
  return QString::fromUtf16(field.stored.data(), static_cast<qsizetype>(field.stored.size()));
}

// "Use bar" is a flag: a check box, not a number to type.
bool IsFlag(const Field& field) { return field.number == &_VDESKTOPINFO_::useTarsel; }

QTableWidgetItem* Cell(const _VDESKTOPINFO_& workspace, const Field& field) {
  auto* cell = new QTableWidgetItem;
  if (IsFlag(field)) {
    cell->setFlags((cell->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    cell->setData(Qt::CheckStateRole, workspace.*field.number != 0 ? Qt::Checked : Qt::Unchecked);
  } else if (field.number != nullptr) {
    cell->setData(Qt::EditRole, workspace.*field.number);
  } else {
    cell->setData(Qt::EditRole, ToQString(workspace.*field.text));
  }
  if (field.number == &_VDESKTOPINFO_::key) cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
  return cell;
}

bool Shows(const QTableWidget& table, const std::vector<_VDESKTOPINFO_>& workspaces) {
  if (table.rowCount() != static_cast<int>(workspaces.size())) return false;
  for (std::size_t row = 0; row < workspaces.size(); ++row) {
    for (std::size_t column = 0; column < Fields().size(); ++column) {
      const auto* cell = table.item(static_cast<int>(row), static_cast<int>(column));
      const std::unique_ptr<QTableWidgetItem> wanted(Cell(workspaces[row], Fields()[column]));
      if (cell == nullptr || cell->data(Qt::EditRole) != wanted->data(Qt::EditRole) ||
          cell->data(Qt::CheckStateRole) != wanted->data(Qt::CheckStateRole)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

WorkspacesPage::WorkspacesPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Workspaces"),
                   tr("The bar's workspaces. Select a field and press F2 or Enter, or type, to "
                      "change it; the change is saved when you leave the field."),
                   parent) {
  table_ = new QTableWidget(0, static_cast<int>(Fields().size()), this);
  table_->setObjectName(QStringLiteral("workspaces"));
  for (std::size_t i = 0; i < Fields().size(); ++i) {
    const Field& field = Fields()[i];
    auto* header = new QTableWidgetItem(field.header ? tr(field.header) : Stored(field));
    header->setToolTip(tr("Stored as %1").arg(Stored(field)));
    table_->setHorizontalHeaderItem(static_cast<int>(i), header);
  }
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  table_->setTabKeyNavigation(false);
  body()->addWidget(table_, 1);
  connect(table_, &QTableWidget::itemChanged, this, &WorkspacesPage::Edited);

  // Read aloud by screen readers; long values whole in their tooltip.
  table_->setAccessibleName(tr("Workspaces"));
  table_->setAccessibleDescription(
      tr("One row per workspace. Press F2 or Enter to change a "
         "field; the change is saved when you leave it."));
  ShowWholeValues(*table_);
}

void WorkspacesPage::Load() {
  std::vector<_VDESKTOPINFO_> workspaces;
  const auto code = settings().library().GetWorkspcaeConfig(workspaces);
  // Rebuilding the table would close an edit in progress; skip it when the
  // table already shows these values.
  if (!Shows(*table_, workspaces)) {
    const QSignalBlocker quiet(table_);
    table_->setRowCount(static_cast<int>(workspaces.size()));
    for (std::size_t row = 0; row < workspaces.size(); ++row) {
      for (std::size_t column = 0; column < Fields().size(); ++column) {
        table_->setItem(static_cast<int>(row), static_cast<int>(column),
                        Cell(workspaces[row], Fields()[column]));
      }
    }
  }
  table_->setEnabled(code == RC_SUCCESS);
  if (code == RC_SUCCESS) {
    LoadOk();
  } else {
    ShowSectionProblem(QStringLiteral("WorkspaceSetting"), tr("the workspaces"), code, From::kLoad);
  }
}

void WorkspacesPage::Edited(QTableWidgetItem* cell) {
  const int key = table_->item(cell->row(), 0)->data(Qt::EditRole).toInt();
  const Field& field = Fields()[static_cast<std::size_t>(cell->column())];
  const QVariant value = IsFlag(field) ? QVariant(cell->checkState() == Qt::Checked ? 1 : 0)
                                       : cell->data(Qt::EditRole);
  bool found = false;
  const auto code = settings().Apply([&](FennimarDllInterface& library) {
    std::vector<_VDESKTOPINFO_> read;
    const auto got = library.GetWorkspcaeConfig(read);
    if (got != RC_SUCCESS) return got;
    auto byKey = FennimarRules::PlaceWorkspacesByKey(read);
    const auto at = static_cast<std::size_t>(key - 1);
    if (key < 1 || at >= byKey.size() || byKey[at].key != key) return RC_SUCCESS;
    found = true;
    auto& workspace = byKey[at];
    if (field.number != nullptr) workspace.*field.number = value.toInt();
    if (field.text != nullptr) workspace.*field.text = ToCString(value.toString());
    return library.SetWorkspcaeConfig(byKey);
  });
  if (ShowFailedSave(code)) return;
  if (code != RC_SUCCESS) {
    ShowSectionProblem(QStringLiteral("WorkspaceSetting"), tr("the workspaces"), code);
  } else if (found) {
    ClearNotice();
  } else {
    ShowProblem(tr("Workspace %1 was not changed: only workspaces whose key is 1 or more can "
                   "be changed. Give it such a key in the settings document.")
                    .arg(key));
  }
}

}  // namespace fennimar::desktop
