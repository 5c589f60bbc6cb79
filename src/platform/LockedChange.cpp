#include "src/platform/LockedChange.h"

#include <memory>

#include "src/common/Utf.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/Folders.h"
#include "src/platform/Paths.h"

namespace fennimar::platform {
namespace {

Status Failed(ChangeStep step, ChangeStep* failed, Status status) {
  if (failed != nullptr) *failed = step;
  return status;
}

}  // namespace

std::u16string LockFilePath(std::u16string_view path) {
  std::u16string lock(path);
  lock.append(kLockSuffix);
  return lock;
}

std::u16string DocumentLockFile(FileSystem& files, std::u16string_view document_path) {
  std::u16string resolved;
  if (!files.ResolveLinks(document_path, &resolved).ok()) resolved = document_path;
  return LockFilePath(resolved);
}

Status ChangeFileLocked(FileSystem& files, std::u16string_view path, const FileChange& change,
                        ChangeStep* failed) {
  if (change.create_folders) {
    if (Status made = CreateFolderChain(files, ParentFolder(path)); !made.ok()) {
      return Failed(ChangeStep::kFolder, failed, made);
    }
  }
  std::unique_ptr<FileLock> lock;
  if (Status locked = files.LockFile(LockFilePath(path), &lock); !locked.ok()) {
    return Failed(ChangeStep::kLock, failed, locked);
  }
  if (Status read = change.read(); !read.ok()) return Failed(ChangeStep::kRead, failed, read);
  std::string bytes;
  bool write = false;
  if (Status changed = change.change(&bytes, &write); !changed.ok() || !write) {
    return changed.ok() ? changed : Failed(ChangeStep::kChange, failed, changed);
  }
  if (bytes.size() > change.max_bytes) {
    return Failed(ChangeStep::kWrite, failed,
                  Status::TooLarge("the change would make " + Utf16ToUtf8(path) + " too large"));
  }
  const Status written = WriteFileAtomically(files, path, bytes, change.new_file_mode);
  return written.ok() ? written : Failed(ChangeStep::kWrite, failed, written);
}

}  // namespace fennimar::platform
