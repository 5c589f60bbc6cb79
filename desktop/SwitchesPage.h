// SwitchesPage - the bar's four switches as toggles. Each toggle writes the
// four switches back with the one it changed set to 1 or 0.
#ifndef FENNIMAR_DESKTOP_SWITCHESPAGE_H_
#define FENNIMAR_DESKTOP_SWITCHESPAGE_H_

#include <QCheckBox>
#include <array>

#include "desktop/SettingsPage.h"

namespace fennimar::desktop {

class SwitchesPage : public SettingsPage {
  Q_OBJECT

 public:
  explicit SwitchesPage(Settings& settings, QWidget* parent = nullptr);
  void Load() override;

 private:
  void Toggle(std::size_t index, bool on);

  std::array<QCheckBox*, 4> boxes_{};
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SWITCHESPAGE_H_
