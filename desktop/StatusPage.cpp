#include "desktop/StatusPage.h"

#include <QGridLayout>
#include <QGroupBox>

#include "desktop/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::desktop {
namespace {

QString FirstUseText(_Fennimar_ReturnCode_ code, std::uint32_t flag) {
  if (code != RC_SUCCESS) {
    return QObject::tr(
               "Unknown: the registry has the key but no IsFirstUse value. Clearing it "
               "creates the value with 0.\nDetails: %1")
        .arg(CodeName(code));
  }
  if (flag == 0) return QObject::tr("0: the settings are kept as they are.");
  return QObject::tr(
             "%1: the next program that opens the settings replaces them with the "
             "template. Clear the flag to keep them.")
      .arg(flag);
}

// The library's answer: beside the program, or the user's own copy where
// the program's folder is not the user's to write.
QString HardwareIniFile() { return ToQString(FennimarLocations::HardwareIni()); }

QString HardwareText(_Fennimar_ReturnCode_ code, std::uint32_t flag) {
  if (code != RC_SUCCESS) {
    return QObject::tr(
               "Not set: %1 has no IsFirstFlag in [systemrequest]. Clearing it creates the "
               "entry with 0.\nDetails: %2")
        .arg(HardwareIniFile(), CodeName(code));
  }
  return QString::number(flag);
}

}  // namespace

StatusPage::StatusPage(Settings& settings, QWidget* parent)
    : SettingsPage(settings, tr("Status"), tr("Flags the bar keeps outside its settings."),
                   parent) {
  firstUse_ = new QLabel(this);
  firstUse_->setObjectName(QStringLiteral("firstUse"));
  firstUse_->setWordWrap(true);
  clearFirstUse_ = new QPushButton(tr("Clear &first-use flag"), this);
  clearFirstUse_->setObjectName(QStringLiteral("clearFirstUse"));
  hardware_ = new QLabel(this);
  hardware_->setObjectName(QStringLiteral("hardware"));
  hardware_->setWordWrap(true);
  clearHardware_ = new QPushButton(tr("Clear &hardware flag"), this);
  clearHardware_->setObjectName(QStringLiteral("clearHardware"));
  places_ = new QLabel(this);
  places_->setWordWrap(true);
  places_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  auto* flags = new QGroupBox(tr("Flags"), this);
  auto* grid = new QGridLayout(flags);
  grid->addWidget(new QLabel(tr("<b>First use</b>"), flags), 0, 0);
  grid->addWidget(firstUse_, 0, 1);
  grid->addWidget(clearFirstUse_, 0, 2);
  grid->addWidget(new QLabel(tr("<b>Hardware flag</b>"), flags), 1, 0);
  grid->addWidget(hardware_, 1, 1);
  grid->addWidget(clearHardware_, 1, 2);
  grid->setColumnStretch(1, 1);
  auto* where = new QGroupBox(tr("Where the settings are kept"), this);
  auto* whereLayout = new QVBoxLayout(where);
  whereLayout->addWidget(places_);
  body()->addWidget(flags);
  body()->addWidget(where);
  body()->addStretch(1);
  connect(clearFirstUse_, &QPushButton::clicked, this, &StatusPage::ClearFirstUse);
  connect(clearHardware_, &QPushButton::clicked, this, &StatusPage::ClearHardwareFlag);
}

void StatusPage::Load() {
  std::uint32_t firstUse = 0;
  const auto firstUseCode = settings().library().GetUsedStatus(firstUse);
  QString firstUseText = FirstUseText(firstUseCode, firstUse);
  if (settings().firstUseAtOpen().value_or(0) != 0 && settings().templateInstalled()) {
    firstUseText += tr(" (It was %1 when the window opened the settings, which installed the "
                       "template; the window then cleared it.)")
                        .arg(*settings().firstUseAtOpen());
  } else if (settings().firstUseAtOpen().value_or(0) != 0) {
    firstUseText += tr(" The template %1 is missing, so nothing was installed when the window "
                       "opened the settings.")
                        .arg(settings().paths().templateFile);
  }
  firstUse_->setText(firstUseText);
  clearFirstUse_->setEnabled(firstUseCode != RC_SUCCESS || firstUse != 0);

  std::uint32_t hardware = 0;
  const auto hardwareCode = settings().library().GetLightFlagStatus(hardware);
  hardware_->setText(HardwareText(hardwareCode, hardware));
  clearHardware_->setEnabled(hardwareCode != RC_SUCCESS || hardware != 0);

  const auto& paths = settings().paths();
  places_->setText(
      tr("Settings document: %1\nPassword file: %2\nRegistry: %3\nHardware flag: %4")
          .arg(paths.document, paths.passwordFile, paths.registryFile, HardwareIniFile()));

  const auto cleared = settings().firstUseClearResult();
  if (cleared && *cleared != RC_SUCCESS) {
    ShowProblem(tr("The first-use flag could not be cleared, so every program that opens "
                   "the settings installs the template again. Check that %1 can be written.")
                    .arg(paths.registryFile),
                CodeName(*cleared), From::kLoad);
  } else {
    LoadOk();
  }
}

void StatusPage::ClearFirstUse() {
  const auto code =
      settings().Apply([](FennimarDllInterface& library) { return library.SetUsedStatus(); });
  ClearNotice();
  Load();
  if (code != RC_SUCCESS) {
    ShowProblem(tr("The first-use flag was not cleared: the registry key "
                   "HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2 is missing from %1 or "
                   "the file cannot be written. Check that the file can be written.")
                    .arg(settings().paths().registryFile),
                CodeName(code));
  }
}

void StatusPage::ClearHardwareFlag() {
  const auto code =
      settings().Apply([](FennimarDllInterface& library) { return library.SetLightFlagStatus(); });
  ClearNotice();
  Load();
  if (code != RC_SUCCESS) {
    ShowProblem(tr("The hardware flag was not cleared: %1 cannot be written. Check that "
                   "you may write to its folder.")
                    .arg(HardwareIniFile()),
                CodeName(code));
  }
}

}  // namespace fennimar::desktop
