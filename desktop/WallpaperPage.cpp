#include "desktop/WallpaperPage.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPixmap>

#include "desktop/Text.h"

namespace fennimar::desktop {
namespace {
constexpr QSize kPreview(400, 250);
}

WallpaperPage::WallpaperPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Wallpaper"), tr("The picture on the desktop behind all windows."),
                   parent) {
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setFixedSize(kPreview);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setFrameShape(QFrame::StyledPanel);
  path_ = new QLineEdit(this);
  path_->setObjectName(QStringLiteral("path"));
  choose_ = new QPushButton(tr("&Choose picture…"), this);
  choose_->setObjectName(QStringLiteral("choose"));
  set_ = new QPushButton(tr("&Set"), this);
  set_->setObjectName(QStringLiteral("set"));
  auto* label = new QLabel(tr("&Picture file:"), this);
  label->setBuddy(path_);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(path_, 1);
  row->addWidget(choose_);
  row->addWidget(set_);
  body()->addWidget(preview_);
  body()->addLayout(row);
  body()->addStretch(1);
  connect(choose_, &QPushButton::clicked, this, &WallpaperPage::Choose);
  connect(set_, &QPushButton::clicked, this, &WallpaperPage::Set);
  connect(path_, &QLineEdit::returnPressed, this, &WallpaperPage::Set);

  // Read aloud by screen readers.
  preview_->setAccessibleName(tr("Wallpaper preview"));
  path_->setAccessibleDescription(tr("The picture file; Enter or Set makes it the wallpaper."));
}

void WallpaperPage::Load() {
  CString path;
  const auto code = settings().library().GetCurrentBgImage(path);
  if (code == RC_SUCCESS) {
    LoadOk();
    if (!path_->hasFocus()) path_->setText(ToQString(path));
    Preview(ToQString(path));
    return;
  }
  Preview(QString());
  ShowProblem(tr("No wallpaper is recorded yet: there is no value "
                 "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WallPaper in %1. A new registry "
                 "file has it; this one lacks it. To create it, run: fennimar reg add "
                 "'HKCU\\Control Panel\\Desktop' WallPaper --data '' and then choose a picture "
                 "here.")
                  .arg(settings().paths().registryFile),
              CodeName(code), From::kLoad);
}

void WallpaperPage::Preview(const QString& path) {
  QImage image;
  if (!path.isEmpty()) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (reader.size().isValid()) {
      reader.setScaledSize(reader.size().scaled(kPreview, Qt::KeepAspectRatio));
    }
    image = reader.read();
  }
  if (image.isNull()) {
    preview_->setPixmap(QPixmap());
    preview_->setText(path.isEmpty() ? tr("No wallpaper")
                                     : tr("No preview: the file is missing "
                                          "or is not a picture"));
    return;
  }
  preview_->setPixmap(QPixmap::fromImage(image));
}

void WallpaperPage::Choose() {
  QFileDialog dialog(this, tr("Choose the wallpaper"), QFileInfo(path_->text()).absolutePath(),
                     tr("Pictures (*.png *.jpg *.jpeg *.gif *.bmp *.svg)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  path_->setText(dialog.selectedFiles().first());
  Set();
}

void WallpaperPage::Set() {
  CString path = ToCString(path_->text());
  const auto code = settings().Apply(
      [&path](FennimarDllInterface& library) { return library.SetCurrentBgImage(path); });
  if (code == RC_SUCCESS) {
    ClearNotice();
    Load();
    return;
  }
  ShowProblem(tr("The wallpaper was not set: the registry key "
                 "HKEY_CURRENT_USER\\Control Panel\\Desktop is missing from %1 or the file "
                 "cannot be written. Create the key with: fennimar reg add "
                 "'HKCU\\Control Panel\\Desktop' WallPaper --data ''")
                  .arg(settings().paths().registryFile),
              CodeName(code));
}

}  // namespace fennimar::desktop
