#include "cli/Session.h"

#include <iostream>
#include <vector>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"

namespace fennimar::cli {

std::string GlobalOptions::DocumentPath() const {
  return Absolute(document.empty() ? DefaultDocumentPath() : document);
}

std::string GlobalOptions::PasswordFilePath() const {
  if (!password_file.empty()) return Absolute(password_file);
  return JoinPath(FolderOf(DocumentPath()), "password");
}

Session::Session(const GlobalOptions& options, bool shared)
    : document_(options.DocumentPath()),
      password_file_(options.PasswordFilePath()),
      library_(U16(document_), FennimarOptions{shared}) {
  library_.SetPasswordFilePath(U16(password_file_));
  std::uint32_t status = 0;
  first_use_result_ = library_.GetUsedStatus(status);
  if (first_use_result_ == RC_SUCCESS) first_use_ = status;
  if (first_use_.value_or(0) != 0) ClearFirstUse();
}

// The template has just been installed; from now on the document is kept.
void Session::ClearFirstUse() {
  const auto code = library_.SetUsedStatus();
  if (code != RC_SUCCESS) {
    Fail(Exit::kWrite, WithRc("cannot clear the first-use flag " + InRegistry() +
                                  "; every start would install the template again",
                              code));
  }
}

void Session::HoldForChange() {
  if (hold_) return;
  hold_.emplace(library_);
  if (hold_->OtherCopiesOpen()) {
    std::cerr << "fennimar: warning: another program holds its own copy of " << document_
              << " and will write it back when it closes, which may undo this change\n";
  }
}

bool Session::DocumentLoaded() {
  std::vector<_Fennimar_AppItem_> items;
  _Fennimar_Config_ config;
  _Background_Config_ background;
  std::vector<_VDESKTOPINFO_> workspaces;
  return library_.GetApplicationsList(items) != RC_FAIL || library_.GetConfig(config) != RC_FAIL ||
         library_.GetBackgroundConfig(background) != RC_FAIL ||
         library_.GetWorkspcaeConfig(workspaces) != RC_FAIL;
}

void Session::FailSection(const std::string& section, _Fennimar_ReturnCode_ code) {
  if (code == RC_FILE_ERROR) {
    const std::string reason = library_.GetLastSaveError().ToUtf8();
    Fail(Exit::kWrite, WithRc(reason.empty() ? "cannot save " + document_ : reason, code));
  }
  if (!DocumentLoaded()) {
    Fail(Exit::kDocument,
         WithRc("the settings document " + document_ + " could not be loaded", code));
  }
  Fail(Exit::kDocument, WithRc("no " + section + " section in " + document_, code));
}

void Session::CheckSection(const std::string& section, _Fennimar_ReturnCode_ code) {
  if (code != RC_SUCCESS) FailSection(section, code);
}

}  // namespace fennimar::cli
