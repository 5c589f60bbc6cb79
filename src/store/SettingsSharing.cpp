// SettingsSharing - how a settings holder shares its document: the locks it
// takes at construction and the steps around each call, which hand over to
// SharedDocument in shared mode.
#include "src/store/SettingsHolder.h"

#include <utility>

#include "src/store/SharedDocument.h"

namespace fennimar {

SettingsHolder::SettingsHolder(const platform::Services& services,
                               std::u16string_view document_path, std::uint32_t first_use,
                               bool shared)
    : SettingsHolder(services, document_path, first_use, shared,
                     shared ? Presence() : TakePresence(services, document_path)) {}

// The presence is taken before the load, so that the document's look on the
// way to the lock is also the logfile's look before its load. Where the lock
// could not be taken then (the document's folder is made by the install of
// the template), it is taken once the document is in place.
SettingsHolder::SettingsHolder(const platform::Services& services,
                               std::u16string_view document_path, std::uint32_t first_use,
                               bool shared, Presence presence)
    : construction_lock_(shared ? LockDocument(services, document_path) : nullptr),
      presence_(std::move(presence.lock)),
      logfile_(services, document_path, first_use, presence.seen) {
  if (shared) {
    shared_ = std::make_unique<SharedDocument>(logfile_, services);
    construction_lock_.reset();
  } else if (!presence_) {
    presence_ = TakePresence(services, document_path).lock;
  }
}

SettingsHolder::Presence SettingsHolder::TakePresence(const platform::Services& services,
                                                      std::u16string_view document_path) {
  Presence presence;
  (void)services.locks->LockPresence(*services.files, document_path, platform::LockKind::kShared,
                                     true, &presence.lock, &presence.seen);
  return presence;
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
