#include "desktop/BackgroundPage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <limits>

#include "desktop/Text.h"
#include "desktop/WholeValueTips.h"

namespace fennimar::desktop {

BackgroundPage::BackgroundPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Background"),
                   tr("The pictures the bar shows behind its items, and the order it shows them "
                      "in. (The desktop's own picture is on the Wallpaper page.)"),
                   parent) {
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("folder"));
  choose_ = new QPushButton(tr("&Choose…"), this);
  choose_->setObjectName(QStringLiteral("chooseFolder"));
  sequence_ = new QSpinBox(this);
  sequence_->setObjectName(QStringLiteral("sequence"));
  sequence_->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  sequence_->setKeyboardTracking(false);
  sequence_->setMaximumWidth(160);
  grid_ = new ThumbnailGrid(this);
  grid_->setObjectName(QStringLiteral("thumbnails"));

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(choose_);
  auto* form = new QFormLayout;
  auto* folderLabel = new QLabel(tr("Picture &folder:"), this);
  folderLabel->setBuddy(folder_);
  form->addRow(folderLabel, folderRow);
  form->addRow(tr("Display &sequence:"), sequence_);
  auto* sequenceHelp =
      new QLabel(tr("The number the bar gives its slide show of these pictures, to choose the "
                    "order it shows them in. The template has 0; other programs may use other "
                    "numbers, which are kept as they are."),
                 this);
  sequenceHelp->setWordWrap(true);
  sequence_->setToolTip(sequenceHelp->text());
  form->addRow(QString(), sequenceHelp);
  body()->addLayout(form);
  body()->addWidget(grid_, 1);

  connect(choose_, &QPushButton::clicked, this, &BackgroundPage::Choose);
  connect(folder_, &QLineEdit::editingFinished, this, &BackgroundPage::SaveFolder);
  connect(sequence_, &QSpinBox::valueChanged, this, [this](int value) {
    Save([value](_Background_Config_& config) { config.displaySequence = value; });
  });

  // Read aloud by screen readers.
  folder_->setAccessibleDescription(tr("The folder whose pictures the bar shows."));
  sequence_->setAccessibleDescription(tr("The order the bar shows the pictures in."));
  grid_->setAccessibleName(tr("Pictures in the folder"));
  ShowWholeValues(*grid_);
}

void BackgroundPage::Load() {
  _Background_Config_ config;
  const auto code = settings().library().GetBackgroundConfig(config);
  const bool ok = code == RC_SUCCESS;
  {
    const QSignalBlocker quietFolder(folder_);
    const QSignalBlocker quietSequence(sequence_);
    // A field being edited keeps what the user is typing.
    if (!folder_->hasFocus()) folder_->setText(ToQString(config.pictureFolder));
    if (!sequence_->hasFocus()) sequence_->setValue(config.displaySequence);
  }
  for (QWidget* control : {static_cast<QWidget*>(folder_), static_cast<QWidget*>(choose_),
                           static_cast<QWidget*>(sequence_)}) {
    control->setEnabled(ok);
  }
  grid_->ShowFolder(ToQString(config.pictureFolder));
  const QString folder = ToQString(config.pictureFolder);
  if (ok && !folder.isEmpty() && !QFileInfo(folder).isDir()) {
    ShowProblem(tr("The picture folder %1 does not exist, so the bar has no pictures to show. "
                   "Choose an existing folder.")
                    .arg(folder),
                From::kLoad);
  } else if (ok) {
    LoadOk();
  } else {
    ShowSectionProblem(QStringLiteral("BackgroundSetting"), tr("the background pictures"), code,
                       From::kLoad);
  }
}

void BackgroundPage::Choose() {
  QFileDialog dialog(this, tr("Choose the picture folder"), folder_->text());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  folder_->setText(dialog.selectedFiles().first());
  SaveFolder();
}

// A folder that does not exist would leave the bar without pictures: it is
// refused, and the field shows again the folder that is kept.
void BackgroundPage::SaveFolder() {
  _Background_Config_ stored;
  settings().library().GetBackgroundConfig(stored);
  if (ToQString(stored.pictureFolder) == folder_->text()) return;
  if (!QFileInfo(folder_->text()).isDir()) {
    const QString typed = folder_->text();
    folder_->clearFocus();
    Load();
    ShowProblem(tr("The folder %1 does not exist, so the picture folder was not changed. "
                   "Choose an existing folder.")
                    .arg(typed));
    return;
  }
  const CString folder = ToCString(folder_->text());
  Save([&folder](_Background_Config_& config) { config.pictureFolder = folder; });
}

void BackgroundPage::Save(const std::function<void(_Background_Config_&)>& edit) {
  const auto code = settings().Apply([&edit](FennimarDllInterface& library) {
    _Background_Config_ config;
    const auto read = library.GetBackgroundConfig(config);
    if (read != RC_SUCCESS) return read;
    edit(config);
    return library.SetBackgroundConfig(config);
  });
  if (ShowFailedSave(code)) return;
  if (code != RC_SUCCESS) {
    ShowSectionProblem(QStringLiteral("BackgroundSetting"), tr("the background pictures"), code);
    return;
  }
  ClearNotice();
  grid_->ShowFolder(folder_->text());
}

}  // namespace fennimar::desktop
