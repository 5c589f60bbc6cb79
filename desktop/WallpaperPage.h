// WallpaperPage - the desktop's wallpaper as the registry names it, with a
// preview, and a picker that sets another picture.
#ifndef FENNIMAR_DESKTOP_WALLPAPERPAGE_H_
#define FENNIMAR_DESKTOP_WALLPAPERPAGE_H_

#include <QLineEdit>
#include <QPushButton>

#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class WallpaperPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit WallpaperPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void Choose();
  void Set();
  void Preview(const QString& path);

  QLabel* preview_;
  QLineEdit* path_;
  QPushButton* choose_;
  QPushButton* set_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_WALLPAPERPAGE_H_
