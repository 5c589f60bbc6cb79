// PosixDocumentLocks - the change lock as flock(2) on the lock file, so that
// a script can take part with flock(1); the presence lock as an
// open-file-description record lock (F_OFD_SETLK) of one byte on the folder
// that holds the lock file, at a place given by the lock file's name, so that
// a program keeping a private copy makes its presence known for exactly its
// document without creating any file. Both belong to the open file, so two
// open files of one process exclude each other (ProcessLocks.h shares one per
// process), and both go when the file is closed, which the kernel does for a
// process that dies.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "src/platform/DocumentLocks.h"
#include "src/platform/LockedChange.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/posix/PosixPath.h"

namespace fennimar::platform {
namespace {

class OfdLock : public FileLock {
 public:
  explicit OfdLock(int fd) : fd_(fd) {}
  ~OfdLock() override { ::close(fd_); }  // closing releases the lock
  OfdLock(const OfdLock&) = delete;
  OfdLock& operator=(const OfdLock&) = delete;

 private:
  int fd_;
};

class PosixDocumentLocks : public DocumentLocks {
 public:
  Status Lock(std::u16string_view path, LockSlot slot, LockKind kind, bool wait,
              std::unique_ptr<FileLock>* lock) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    if (slot == LockSlot::kPresence) return LockFolder(native, kind, wait, lock);
    // Read-only is enough for flock, and lets a lock file that exists be
    // locked on a read-only volume or by a user who may not write it.
    int fd;
    do {
      fd = ::open(native.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return ErrnoStatus("open", native, errno);
    const int operation = (kind == LockKind::kExclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
    int result;
    do {
      result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return Hold(fd, result == 0 ? 0 : errno, native, "flock", lock);
  }

  // A private copy holds its presence shared; a program that wants to know
  // whether one is open asks, for an exclusive lock without waiting, whether
  // any other open file holds the byte (the folder, opened read-only, cannot
  // be locked exclusively).
  static Status LockFolder(const std::string& native, LockKind kind, bool wait,
                           std::unique_ptr<FileLock>* lock) {
    std::string folder, name;
    const int fd = OpenFolder(native, &folder, &name);
    if (fd < 0) return ErrnoStatus("open", folder, errno);
    return LockPlace(fd, folder, name, kind, wait, lock);
  }

  // The presence lock straight from the document's folder. Opening the
  // folder follows the links in its path; when neither the document nor its
  // lock file is a link, that folder holds the lock file under the name the
  // lock suffix gives, so nothing needs resolving. Otherwise the path is
  // resolved the general way.
  Status LockPresence(FileSystem& files, std::u16string_view document_path, LockKind kind,
                      bool wait, std::unique_ptr<FileLock>* lock, DocumentSeen* seen) override {
    std::string native, lock_native, folder, name, lock_folder, lock_name;
    if (ToNative(document_path, &native).ok() &&
        ToNative(LockFilePath(document_path), &lock_native).ok()) {
      SplitPath(native, &folder, &name);
      SplitPath(lock_native, &lock_folder, &lock_name);
      const int fd = lock_folder == folder ? OpenDirectory(folder) : -1;
      if (fd >= 0 && !IsLinkOrSpecial(fd, name, seen) && !IsLinkOrSpecial(fd, lock_name)) {
        return LockPlace(fd, folder, lock_name, kind, wait, lock);
      }
      if (seen != nullptr) *seen = DocumentSeen();
      if (fd >= 0) ::close(fd);
    }
    return DocumentLocks::LockPresence(files, document_path, kind, wait, lock, seen);
  }

  // Locks the byte of the open folder `fd` that stands for `name`, and keeps
  // `fd` as the lock (or closes it).
  static Status LockPlace(int fd, const std::string& folder, const std::string& name, LockKind kind,
                          bool wait, std::unique_ptr<FileLock>* lock) {
    struct flock range {};
    range.l_type = F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = PlaceOf(name);
    range.l_len = 1;
    if (kind == LockKind::kExclusive) {
      range.l_type = F_WRLCK;
      const int result = ::fcntl(fd, F_OFD_GETLK, &range);
      const int error = result != 0 ? errno : range.l_type != F_UNLCK ? EAGAIN : 0;
      return Hold(fd, error, folder, "fcntl", lock);
    }
    int result;
    do {
      result = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range);
    } while (result != 0 && errno == EINTR);
    return Hold(fd, result == 0 ? 0 : errno, folder, "fcntl", lock);
  }

  // Opens the folder that holds the lock file `native`, links followed, and
  // names the file in it. Opening a folder follows the links in its path as
  // resolving the path would, so the path is resolved only when the lock
  // file itself is a link (or no plain name): the folder's path was made real
  // already when the document's path was, and resolving it again would look
  // up each of its folders once more.
  static int OpenFolder(const std::string& native, std::string* folder, std::string* name) {
    SplitPath(native, folder, name);
    int fd = OpenDirectory(*folder);
    if (fd >= 0 && !IsLinkOrSpecial(fd, *name)) return fd;
    if (fd >= 0) ::close(fd);
    std::string resolved;
    if (!ResolveNative(native, &resolved).ok()) resolved = native;
    SplitPath(resolved, folder, name);
    return OpenDirectory(*folder);
  }

  static int OpenDirectory(const std::string& folder) {
    int fd;
    do {
      fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
  }

  // True when `name` in the folder `fd` is a symbolic link, or "", "." or
  // "..", which name no file of the folder. A name that cannot be looked up
  // is no link: resolving it would fail the same way and keep the path.
  // What was seen of any other name goes into `*seen` (when given).
  static bool IsLinkOrSpecial(int fd, const std::string& name, DocumentSeen* seen = nullptr) {
    if (name.empty() || name == "." || name == "..") return true;
    struct stat info {};
    if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (seen != nullptr && errno == ENOENT) *seen = DocumentSeen{true, FileIdentity()};
      return false;
    }
    if (S_ISLNK(info.st_mode)) return true;
    if (seen != nullptr) *seen = DocumentSeen{true, IdentityOf(info)};
    return false;
  }

  // The byte of the folder that stands for the file `name` in it (FNV-1a).
  static off_t PlaceOf(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    return static_cast<off_t>(hash >> 2);  // positive, below the largest offset
  }

  // Keeps `fd` as the lock when `error` is 0; otherwise closes it and
  // reports the error, a lock held by another open file as kBusy.
  static Status Hold(int fd, int error, const std::string& native, const char* operation,
                     std::unique_ptr<FileLock>* lock) {
    if (error == 0) {
      *lock = std::make_unique<OfdLock>(fd);
      return Status::Ok();
    }
    ::close(fd);
    if (error == EWOULDBLOCK || error == EAGAIN || error == EACCES) {
      return Status::Busy("lock " + native + ": held", error);
    }
    return ErrnoStatus(operation, native, error);
  }

  bool SharingRequested() override {
    const char* value = std::getenv("FENNIMAR_SHARED");
    return value != nullptr && std::string_view(value) == "1";
  }
};

}  // namespace

std::unique_ptr<DocumentLocks> NewPosixDocumentLocks() {
  return std::make_unique<PosixDocumentLocks>();
}

}  // namespace fennimar::platform
