#include "desktop/SwitchesPage.h"

#include <QSignalBlocker>

#include "desktop/Text.h"

namespace fennimar::desktop {
namespace {

struct Switch {
  const char* name;  // object name, for tests and accessibility
  const char* label;
  const char* help;
  int _Fennimar_Config_::*field;
};

const std::array<Switch, 4> kSwitches = {{
    {"launchcode", QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage", "&Launch code"),
     QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage",
                       "Start programs from the bar with their launch code."),
     &_Fennimar_Config_::launchcode},
    {"mouseHook", QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage", "&Mouse hook"),
     QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage",
                       "Let the bar follow the mouse to show and hide itself."),
     &_Fennimar_Config_::mouseHook},
    {"soundEffect", QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage", "&Sound effect"),
     QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage",
                       "Play sounds when the bar opens and launches."),
     &_Fennimar_Config_::soundEffect},
    {"lightEffect", QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage", "Li&ght effect"),
     QT_TRANSLATE_NOOP("fennimar::desktop::SwitchesPage",
                       "Light up the bar's items under the mouse."),
     &_Fennimar_Config_::lightEffect},
}};

}  // namespace

SwitchesPage::SwitchesPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Switches"), tr("Turn the bar's behaviours on or off."), parent) {
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    auto* box = new QCheckBox(tr(kSwitches[i].label), this);
    box->setObjectName(QString::fromLatin1(kSwitches[i].name));
    box->setToolTip(tr(kSwitches[i].help));
    auto* help = new QLabel(tr(kSwitches[i].help), this);
    help->setIndent(24);
    help->setForegroundRole(QPalette::PlaceholderText);  // dimmed, in light and dark themes
    body()->addWidget(box);
    body()->addWidget(help);
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) { Toggle(i, on); });
    boxes_[i] = box;
  }
  body()->addStretch(1);
}

void SwitchesPage::Load() {
  _Fennimar_Config_ config;
  const auto code = settings().library().GetConfig(config);
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    const QSignalBlocker quiet(boxes_[i]);
    boxes_[i]->setChecked(config.*kSwitches[i].field != 0);
    boxes_[i]->setEnabled(code == RC_SUCCESS);
  }
  if (code == RC_SUCCESS) {
    LoadOk();
  } else {
    ShowSectionProblem(QStringLiteral("GlobalSetting"), tr("the switches"), code, From::kLoad);
  }
}

void SwitchesPage::Toggle(std::size_t index, bool on) {
  const auto code = settings().Apply([&](FennimarDllInterface& library) {
    _Fennimar_Config_ config;
    const auto read = library.GetConfig(config);
    if (read != RC_SUCCESS) return read;
    config.*kSwitches[index].field = on ? 1 : 0;
    return library.SetConfig(config);
  });
  if (ShowFailedSave(code)) return;
  if (code == RC_SUCCESS) {
    ClearNotice();
  } else {
    ShowSectionProblem(QStringLiteral("GlobalSetting"), tr("the switches"), code);
  }
}

}  // namespace fennimar::desktop
