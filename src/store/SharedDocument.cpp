#include "src/store/SharedDocument.h"

#include "src/common/Utf.h"
#include "src/platform/Folders.h"
#include "src/platform/LockedChange.h"
#include "src/platform/Paths.h"
#include "src/platform/ProcessLocks.h"
#include "src/platform/XmlDom.h"

namespace fennimar {
namespace {

// A document the DOM could load is no larger than this.
constexpr std::size_t kMaxDocumentBytes = platform::kMaxXmlDocumentBytes;

}  // namespace

std::u16string LockPathOf(const platform::Services& services, std::u16string_view document_path) {
  return platform::DocumentLockFile(*services.files, document_path);
}

std::unique_ptr<platform::FileLock> LockDocument(const platform::Services& services,
                                                 std::u16string_view document_path) {
  (void)platform::CreateFolderChain(*services.files, platform::ParentFolder(document_path));
  std::unique_ptr<platform::FileLock> lock;
  const std::u16string lock_path = LockPathOf(services, document_path);
  if (!platform::LockChangeForProcess(*services.files, *services.locks, lock_path, true, &lock).ok()) return nullptr;
  return lock;
}

SharedDocument::SharedDocument(CXMLLogfile& logfile, const platform::Services& services)
    : logfile_(logfile), services_(services), lock_path_(LockPathOf(services, logfile.path())) {
  logfile_.ReportSaves();
  NoteFile();
}

SharedDocument::~SharedDocument() { logfile_.SkipFinalSave(); }

void SharedDocument::Refresh() {
  platform::FileIdentity now;
  if (!services_.files->Identify(logfile_.path(), &now).ok() || now == identity_) return;
  std::string bytes;
  if (!services_.files->ReadFile(logfile_.path(), kMaxDocumentBytes, &bytes).ok()) return;
  if (bytes != bytes_ && !logfile_.Reload()) return;  // keep the last good copy
  identity_ = now;
  bytes_ = std::move(bytes);
}

_Fennimar_ReturnCode_ SharedDocument::BeginChange() {
  if (!lock_) {
    const Status locked =
        platform::LockChangeForProcess(*services_.files, *services_.locks, lock_path_, true,
                                        &lock_);
    if (!locked.ok()) {
      NoteFailure(locked);
      return RC_FILE_ERROR;
    }
  }
  if (CatchUp()) return RC_SUCCESS;
  DropLockUnlessHeld();
  return RC_FAIL;
}

// A failed save left the file as it was: the copy goes back to it.
bool SharedDocument::EndChange() {
  const std::optional<Status> saved = logfile_.TakeSaveOutcome();
  const bool reached_disk = !saved || saved->ok();
  if (!reached_disk) {
    NoteFailure(*saved);
    if (!logfile_.Reload()) logfile_.Discard();
  } else if (saved) {
    last_save_error_.clear();
  }
  NoteFile();
  DropLockUnlessHeld();
  return reached_disk;
}

void SharedDocument::Hold() {
  if (holds_++ == 0 && TakeLock()) (void)CatchUp();
}

void SharedDocument::Release() {
  if (holds_ > 0 && --holds_ == 0) lock_.reset();
}

bool SharedDocument::PrivateCopiesOpen() {
  std::unique_ptr<platform::FileLock> presence;
  return services_.locks
             ->Lock(lock_path_, platform::LockSlot::kPresence, platform::LockKind::kExclusive,
                    false, &presence)
             .code() == Status::Code::kBusy;
}

bool SharedDocument::TakeLock() {
  if (lock_) return true;
  return platform::LockChangeForProcess(*services_.files, *services_.locks, lock_path_, true,
                                        &lock_)
      .ok();
}

void SharedDocument::DropLockUnlessHeld() {
  if (holds_ == 0) lock_.reset();
}

// A missing file is not loaded again: the writer's save puts the copy back.
bool SharedDocument::CatchUp() {
  platform::FileIdentity now;
  (void)services_.files->Identify(logfile_.path(), &now);
  std::string bytes;
  const Status read = services_.files->ReadFile(logfile_.path(), kMaxDocumentBytes, &bytes);
  if (read.IsNotFound()) return logfile_.IsLoaded();
  if (!read.ok()) return false;
  if (bytes != bytes_ && !logfile_.Reload()) return false;
  identity_ = now;
  bytes_ = std::move(bytes);
  return true;
}

void SharedDocument::NoteFailure(const Status& status) {
  std::u16string reason;
  switch (status.cause()) {
    case Status::Cause::kReadOnlyFile:
      reason = u"read-only file";
      break;
    case Status::Cause::kReadOnlyFileSystem:
      reason = u"read-only file system";
      break;
    case Status::Cause::kPermissionDenied:
      reason = u"permission denied";
      break;
    case Status::Cause::kNoSpace:
      reason = u"no space left on device";
      break;
    case Status::Cause::kOther:
      reason = Utf8ToUtf16(status.message());
      break;
  }
  last_save_error_ = u"cannot save " + logfile_.path().str() + u": " + reason;
}

void SharedDocument::NoteFile() {
  (void)services_.files->Identify(logfile_.path(), &identity_);
  if (!services_.files->ReadFile(logfile_.path(), kMaxDocumentBytes, &bytes_).ok()) bytes_.clear();
}

}  // namespace fennimar
