#include "desktop/Settings.h"

#include <QFileInfo>
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
// that installed it, so the document is kept from then on. Without a template
// nothing was installed, and the flag stays for the opening that has one.
void Settings::Open() {
  const bool missing = !QFileInfo::exists(paths_.document);
  library_ = OpenSettings(paths_);
  std::uint32_t status = 0;
  first_use_.reset();
  clear_result_.reset();
  if (library_->GetUsedStatus(status) == RC_SUCCESS) first_use_ = status;
  const bool wanted = missing || first_use_.value_or(0) != 0;
  template_installed_ = wanted && QFileInfo::exists(paths_.templateFile) && DocumentLoaded();
  if (first_use_.value_or(0) != 0 && template_installed_) {
    clear_result_ = library_->SetUsedStatus();
  }
}

bool Settings::ReopenInstallsTemplate() {
  std::uint32_t status = 0;
  const bool flagged = library_->GetUsedStatus(status) == RC_SUCCESS && status != 0;
  return (flagged || !QFileInfo::exists(paths_.document)) && QFileInfo::exists(paths_.templateFile);
}

void Settings::Reopen() { Open(); }

_Fennimar_ReturnCode_ Settings::Apply(const Change& change) {
  FennimarDocumentHold hold(*library_);
  return change(*library_);
}

QString Settings::LastSaveError() const { return ToQString(library_->GetLastSaveError()); }

bool Settings::DocumentLoaded() {
  std::vector<_Fennimar_AppItem_> items;
  _Fennimar_Config_ config;
  _Background_Config_ background;
  std::vector<_VDESKTOPINFO_> workspaces;
  return library_->GetApplicationsList(items) != RC_FAIL ||
         library_->GetConfig(config) != RC_FAIL ||
         library_->GetBackgroundConfig(background) != RC_FAIL ||
         library_->GetWorkspcaeConfig(workspaces) != RC_FAIL;
}

}  // namespace fennimar::desktop
