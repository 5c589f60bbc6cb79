// PosixDocumentLocks - the change lock as an open-file-description record
// lock (F_OFD_SETLK) on the lock file; the presence lock as flock on the
// folder that holds the lock file, so that a program keeping a private copy
// makes its presence known without creating any file. Both belong to the open
// file, so two objects of one process exclude each other, and both go when
// the file is closed, which the kernel does for a process that dies.
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

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

class PosixDocumentLocks : public DocumentLocks {
 public:
  Status Lock(std::u16string_view path, LockSlot slot, LockKind kind, bool wait,
              std::unique_ptr<FileLock>* lock) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    if (slot == LockSlot::kPresence) return LockFolder(native, kind, wait, lock);
    int fd;
    do {
      fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return ErrnoStatus("open", native, errno);
    struct flock range {};
    range.l_type = kind == LockKind::kExclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = slot == LockSlot::kChange ? 0 : 1;
    range.l_len = 1;
    int result;
    do {
      result = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EAGAIN || error == EACCES) return Status::Busy("lock " + native + ": held", error);
      return ErrnoStatus("fcntl", native, error);
    }
    *lock = std::make_unique<OfdLock>(fd);
    return Status::Ok();
  }

  Status Identify(std::u16string_view path, FileIdentity* identity) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    struct stat info {};
    *identity = FileIdentity();
    if (::stat(native.c_str(), &info) != 0) {
      return errno == ENOENT || errno == ENOTDIR ? Status::Ok()
                                                 : ErrnoStatus("stat", native, errno);
    }
    identity->exists = true;
    identity->volume = static_cast<std::uint64_t>(info.st_dev);
    identity->file = static_cast<std::uint64_t>(info.st_ino);
    identity->size = static_cast<std::uint64_t>(info.st_size);
    identity->modified = Nanoseconds(info.st_mtim);
    identity->changed = Nanoseconds(info.st_ctim);
    return Status::Ok();
  }

  static Status LockFolder(const std::string& native, LockKind kind, bool wait,
                           std::unique_ptr<FileLock>* lock) {
    std::string folder, name;
    SplitPath(native, &folder, &name);
    int fd;
    do {
      fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return ErrnoStatus("open", folder, errno);
    const int operation = (kind == LockKind::kExclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
    int result;
    do {
      result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return Status::Busy("lock " + folder + ": held", error);
      return ErrnoStatus("flock", folder, error);
    }
    *lock = std::make_unique<OfdLock>(fd);
    return Status::Ok();
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
