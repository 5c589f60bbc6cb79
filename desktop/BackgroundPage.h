// BackgroundPage - the bar's own background pictures: their folder, shown as
// a grid of thumbnails, and the display sequence.
#ifndef FENNIMAR_DESKTOP_BACKGROUNDPAGE_H_
#define FENNIMAR_DESKTOP_BACKGROUNDPAGE_H_

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

#include "desktop/SettingsPage.h"
#include "desktop/ThumbnailGrid.h"

namespace fennimar::desktop {

class BackgroundPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit BackgroundPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void Choose();
  void SaveFolder();
  // Reads the background settings, lets `edit` change one field, writes them.
  void Save(const std::function<void(_Background_Config_&)>& edit);

  QLineEdit* folder_;
  QPushButton* choose_;
  QSpinBox* sequence_;
  ThumbnailGrid* grid_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_BACKGROUNDPAGE_H_
