// SettingsSharing - how a settings holder shares its document: the locks it
// takes at construction and the steps around each call, which hand over to
// SharedDocument in shared mode.
#include "src/store/SettingsHolder.h"
#include "src/store/SharedDocument.h"

namespace fennimar {

SettingsHolder::SettingsHolder(const platform::Services& services,
                               std::u16string_view document_path, std::uint32_t first_use,
                               bool shared)
    : construction_lock_(shared ? LockDocument(services, document_path) : nullptr),
      logfile_(services, document_path, first_use) {
  if (shared) {
    shared_ = std::make_unique<SharedDocument>(logfile_, services);
    construction_lock_.reset();
  } else {
    (void)services.locks->LockPresence(*services.files, document_path, platform::LockKind::kShared,
                                       true, &presence_);
  }
}

SettingsHolder::~SettingsHolder() = default;

void SettingsHolder::Refresh() {
  if (shared_) shared_->Refresh();
}

_Fennimar_ReturnCode_ SettingsHolder::BeginChange() {
  return shared_ ? shared_->BeginChange() : RC_SUCCESS;
}

bool SettingsHolder::EndChange() { return !shared_ || shared_->EndChange(); }

void SettingsHolder::Hold() {
  if (shared_) shared_->Hold();
}

void SettingsHolder::Release() {
  if (shared_) shared_->Release();
}

bool SettingsHolder::PrivateCopiesOpen() { return shared_ && shared_->PrivateCopiesOpen(); }

CString SettingsHolder::LastSaveError() const {
  return shared_ ? CString(shared_->LastSaveError()) : CString();
}

}  // namespace fennimar
