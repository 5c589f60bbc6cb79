#include "desktop/Settings.h"

#include <QCryptographicHash>
#include <QFile>
#include <utility>
#include <vector>

#include "desktop/Text.h"

namespace fennimar::desktop {

std::unique_ptr<FennimarDllInterface> OpenSettings(const SettingsPaths& paths) {
  auto library = std::make_unique<FennimarDllInterface>(ToCString(paths.document),
                                                        FennimarOptions{/*shared=*/true});
  library->SetPasswordFilePath(ToCString(paths.passwordFile));
  return library;
}

Settings::Settings(SettingsPaths paths) : paths_(std::move(paths)) { Open(); }

Settings::~Settings() = default;

// While the first-use flag is not 0 every opening installs the template over
// the document; like every host, the window clears the flag after the opening
// that installed it, so the document is kept from then on.
void Settings::Open() {
  library_ = OpenSettings(paths_);
  std::uint32_t status = 0;
  first_use_.reset();
  clear_result_.reset();
  if (library_->GetUsedStatus(status) == RC_SUCCESS) first_use_ = status;
  if (first_use_.value_or(0) != 0) clear_result_ = library_->SetUsedStatus();
  fingerprint_ = Fingerprint();
}

void Settings::Reopen() { Open(); }

_Fennimar_ReturnCode_ Settings::Apply(const Change& change) {
  FennimarDocumentHold hold(*library_);
  const auto code = change(*library_);
  fingerprint_ = Fingerprint();
  return code;
}

QByteArray Settings::Fingerprint() const {
  QFile file(paths_.document);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool Settings::ChangedOnDisk() const { return Fingerprint() != fingerprint_; }

bool Settings::DocumentLoaded() {
  std::vector<_Fennimar_AppItem_> items;
  _Fennimar_Config_ config;
  _Background_Config_ background;
  std::vector<_VDESKTOPINFO_> workspaces;
  return library_->GetApplicationsList(items) != RC_FAIL || library_->GetConfig(config) != RC_FAIL ||
         library_->GetBackgroundConfig(background) != RC_FAIL ||
         library_->GetWorkspcaeConfig(workspaces) != RC_FAIL;
}

}  // namespace fennimar::desktop
