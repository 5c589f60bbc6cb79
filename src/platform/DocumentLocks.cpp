#include "src/platform/DocumentLocks.h"

#include "src/platform/LockedChange.h"

namespace fennimar::platform {

Status DocumentLocks::LockPresence(FileSystem& files, std::u16string_view document_path,
                                   LockKind kind, bool wait, std::unique_ptr<FileLock>* lock,
                                   DocumentSeen* /*seen*/) {
  return Lock(DocumentLockFile(files, document_path), LockSlot::kPresence, kind, wait, lock);
}

}  // namespace fennimar::platform
