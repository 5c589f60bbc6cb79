// PosixFileSystem - the file services on POSIX calls. Paths arrive as UTF-16
// and are handed to the system as UTF-8. Every failure becomes a Status whose
// message names the operation and the path; a missing file or folder is
// kNotFound, anything else kIoError, and os_error keeps errno.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "src/common/Utf.h"
#include "src/platform/UniqueNames.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/posix/PosixPath.h"
#include "src/platform/posix/UniqueFd.h"

namespace fennimar::platform {
namespace {

constexpr int kMaxNameAttempts = 100;
constexpr std::size_t kReadChunk = 64 * 1024;

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}

  Status Append(std::string_view data) override {
    if (!fd_.valid()) return ErrnoStatus("write", path_, EBADF);
    while (!data.empty()) {
      const ssize_t written = ::write(fd_.get(), data.data(), data.size());
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return ErrnoStatus("write", path_, errno);
      // A regular file never takes nothing without an error; do not spin.
      if (written == 0) return ErrnoStatus("write", path_, EIO);
      data.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::Ok();
  }

  Status Sync() override {
    if (!fd_.valid()) return ErrnoStatus("fsync", path_, EBADF);
    if (::fsync(fd_.get()) != 0) return ErrnoStatus("fsync", path_, errno);
    return Status::Ok();
  }

  Status Close() override {
    if (!fd_.valid()) return Status::Ok();
    const int error = fd_.Close();
    return error == 0 ? Status::Ok() : ErrnoStatus("close", path_, error);
  }

 private:
  UniqueFd fd_;
  std::string path_;
};

class PosixFileLock : public FileLock {
 public:
  explicit PosixFileLock(UniqueFd fd) : fd_(std::move(fd)) {}

 private:
  UniqueFd fd_;  // closing the last descriptor releases the flock
};

std::uint64_t RandomBits() {
  std::uint64_t bits = 0;
  if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bits)) {
    return bits;
  }
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_nsec) * 0x9E3779B97F4A7C15ull ^
         static_cast<std::uint64_t>(now.tv_sec);
}

// The process that made a unique name, when it is a process id at all: 0
// for a name that is not one of ours.
pid_t CreatorOf(const std::string& name, const std::string& prefix) {
  const std::uint32_t creator = CreatorOfUniqueName(name, prefix);
  return creator <= static_cast<std::uint32_t>(std::numeric_limits<pid_t>::max())
             ? static_cast<pid_t>(creator)
             : 0;
}

// kill(pid, 0) sends nothing; ESRCH says there is no such process. A process
// we may not signal (EPERM) exists. A reused pid only keeps a file longer.
bool HasEnded(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Creates `path` anew with exactly `mode`: fchmod undoes what the umask took,
// so a replaced file keeps the bits of the one it replaces.
Status CreateExclusive(const std::string& path, mode_t mode, std::unique_ptr<WritableFile>* file) {
  UniqueFd fd(OpenRetrying(path, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
  if (!fd.valid()) return ErrnoStatus("open", path, errno);
  if (::fchmod(fd.get(), mode) != 0) {
    const int error = errno;
    ::unlink(path.c_str());
    return ErrnoStatus("fchmod", path, error);
  }
  *file = std::make_unique<PosixWritableFile>(std::move(fd), path);
  return Status::Ok();
}

// Reads to the end; `expected` is the size the file had when it was opened.
// The bytes go straight into the result, sized for that much and one byte
// more, so that a file of the measured size ends within the first read and
// nothing larger than the file is allocated or cleared. A file that grew in
// the meantime makes the result grow chunk by chunk.
//
// A first read that stops exactly at the measured size, short of the byte
// asked for beyond it, met the file's end: the file had no more bytes when it
// was read, so asking again only to be told so would be one more call for
// every file. Any other short read (a file that changed size, one whose
// measured size means nothing) reads on until the system says the end.
Status ReadAll(int fd, const std::string& path, std::size_t expected, std::size_t max_bytes,
               std::string* bytes) {
  std::string content(expected + 1, '\0');
  std::size_t filled = 0;
  for (bool first = true;; first = false) {
    if (filled == content.size()) content.resize(filled + kReadChunk);
    const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ErrnoStatus("read", path, errno);
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
    if (filled > max_bytes) {
      return Status::TooLarge("read " + path + ": larger than " + std::to_string(max_bytes));
    }
    if (first && filled == expected) break;
  }
  content.resize(filled);
  *bytes = std::move(content);
  return Status::Ok();
}

// Reads the whole file at `path`, giving in `*identity` the file opened as it
// was before the read (none when it could not be read).
Status ReadIdentified(std::u16string_view path, std::size_t max_bytes, std::string* bytes,
                      FileIdentity* identity) {
  *identity = FileIdentity();
  std::string native;
  Status status = ToNative(path, &native);
  if (!status.ok()) return status;
  UniqueFd fd(OpenRetrying(native, O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return ErrnoStatus("open", native, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return ErrnoStatus("fstat", native, errno);
  if (S_ISDIR(info.st_mode)) return ErrnoStatus("read", native, EISDIR);
  if (static_cast<std::uintmax_t>(info.st_size) > max_bytes) {
    return Status::TooLarge("read " + native + ": " + std::to_string(info.st_size) +
                            " bytes, more than " + std::to_string(max_bytes));
  }
  status = ReadAll(fd.get(), native, static_cast<std::size_t>(info.st_size), max_bytes, bytes);
  if (status.ok()) *identity = IdentityOf(info);
  return status;
}

class PosixFileSystem : public FileSystem {
 public:
  bool PathExists(std::u16string_view path) override {
    std::string native;
    struct stat info {};
    return ToNative(path, &native).ok() && ::stat(native.c_str(), &info) == 0;
  }

  // With the effective user's rights, as the write itself would be made.
  bool CanWriteIn(std::u16string_view folder) override {
    std::string native;
    return ToNative(folder, &native).ok() &&
           ::faccessat(AT_FDCWD, native.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
  }

  Status CreateDirectory(std::u16string_view path) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    if (::mkdir(native.c_str(), 0777) != 0) return ErrnoStatus("mkdir", native, errno);
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
    *identity = IdentityOf(info);
    return Status::Ok();
  }

  Status ReadFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes) override {
    FileIdentity identity;
    return ReadIdentified(path, max_bytes, bytes, &identity);
  }

  // A read that ends at the size seen is not read a second time, as one that
  // ends at the size fstat gives is not (ReadAll); a file replaced since
  // shows as a read that does not end there, which goes on to the end.
  Status ReadSeenFile(std::u16string_view path, std::size_t max_bytes, const FileIdentity& seen,
                      std::string* bytes) override {
    if (!seen.exists || seen.size > max_bytes) return ReadFile(path, max_bytes, bytes);
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    UniqueFd fd(OpenRetrying(native, O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return ErrnoStatus("open", native, errno);
    return ReadAll(fd.get(), native, static_cast<std::size_t>(seen.size), max_bytes, bytes);
  }

  // One look at the path when the caller knows a file; otherwise the read
  // takes the identity of what it opens. File times move in steps of the
  // kernel's clock tick (seconds on some file systems), so a file whose last
  // change is within kRacySeconds of now could be written again without
  // its times moving: its identity is not given, and the next call reads.
  Status ReadFileIfChanged(std::u16string_view path, std::size_t max_bytes,
                           FileIdentity* identity, std::string* bytes, bool* read) override {
    *read = false;
    if (identity->exists) {
      FileIdentity now;
      Status status = Identify(path, &now);
      if (!status.ok() || now == *identity) return status;
    }
    *read = true;
    Status status = ReadIdentified(path, max_bytes, bytes, identity);
    if (identity->exists && IsRacy(*identity)) *identity = FileIdentity();
    return status;
  }

  static constexpr std::int64_t kRacySeconds = 3;
  static bool IsRacy(const FileIdentity& identity) {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t now_ns = static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    const std::int64_t last = std::max(identity.modified, identity.changed);
    return now_ns - last < kRacySeconds * 1000000000;
  }

  Status ReadFilePrefix(std::u16string_view path, std::size_t max_bytes,
                        std::string* bytes) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    UniqueFd fd(OpenRetrying(native, O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return ErrnoStatus("open", native, errno);
    std::string content(max_bytes, '\0');
    std::size_t filled = 0;
    while (filled < max_bytes) {
      const ssize_t got = ::read(fd.get(), content.data() + filled, max_bytes - filled);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return ErrnoStatus("read", native, errno);
      if (got == 0) break;
      filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    *bytes = std::move(content);
    return Status::Ok();
  }

  Status CreateUniqueFile(std::u16string_view prefix, unsigned mode, std::u16string* created_path,
                          std::unique_ptr<WritableFile>* file) override {
    std::string native;
    Status status = ToNative(prefix, &native);
    if (!status.ok()) return status;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
      const std::string path =
          native + UniqueSuffix(static_cast<std::uint32_t>(::getpid()), RandomBits());
      status = CreateExclusive(path, static_cast<mode_t>(mode & 07777), file);
      if (status.os_error() == EEXIST) continue;
      if (status.ok()) *created_path = Utf8ToUtf16(path);
      return status;
    }
    return ErrnoStatus("open", native + ".*", EEXIST);
  }

  Status RemoveStaleUniqueFiles(std::u16string_view prefix) override {
    std::string native, folder, name;
    Status status = ToNative(prefix, &native);
    if (!status.ok()) return status;
    SplitPath(native, &folder, &name);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return ErrnoStatus("opendir", folder, errno);
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string entry_name = entry->d_name;
      const pid_t creator = CreatorOf(entry_name, name);
      if (creator == 0 || !HasEnded(creator)) continue;
      const std::string path = folder + "/" + entry_name;
      // Another writer may have removed it meanwhile; that is as good.
      if (::unlink(path.c_str()) != 0 && errno != ENOENT && status.ok()) {
        status = ErrnoStatus("unlink", path, errno);
      }
    }
    return status;
  }

  Status RenameFile(std::u16string_view from, std::u16string_view to) override {
    std::string native_from, native_to;
    Status status = ToNative(from, &native_from);
    if (status.ok()) status = ToNative(to, &native_to);
    if (!status.ok()) return status;
    if (::rename(native_from.c_str(), native_to.c_str()) != 0) {
      return ErrnoStatus("rename", native_from + " to " + native_to, errno);
    }
    return Status::Ok();
  }

  Status RemoveFile(std::u16string_view path) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    if (::unlink(native.c_str()) != 0) return ErrnoStatus("unlink", native, errno);
    return Status::Ok();
  }

  Status SyncDirectory(std::u16string_view folder) override {
    std::string native;
    Status status = ToNative(folder.empty() ? u"." : folder, &native);
    if (!status.ok()) return status;
    UniqueFd fd(OpenRetrying(native, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) return ErrnoStatus("open", native, errno);
    // A file system that cannot flush folders says EINVAL; there is nothing
    // more to do there, and the rename itself has already happened.
    if (::fsync(fd.get()) != 0 && errno != EINVAL) return ErrnoStatus("fsync", native, errno);
    return Status::Ok();
  }

  Status GetPermissions(std::u16string_view path, unsigned* mode) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) return ErrnoStatus("stat", native, errno);
    *mode = static_cast<unsigned>(info.st_mode) & 07777u;
    return Status::Ok();
  }

  Status ResolveLinks(std::u16string_view path, std::u16string* resolved) override {
    std::string native, real;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    if (native.empty()) return Status::Invalid("empty path");
    status = ResolveNative(native, &real);
    if (status.ok()) *resolved = Utf8ToUtf16(real);
    return status;
  }

  Status LockFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    UniqueFd fd(OpenRetrying(native, O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid()) return ErrnoStatus("open", native, errno);
    status = Flock(fd.get(), LOCK_EX, native);
    if (status.ok()) *lock = std::make_unique<PosixFileLock>(std::move(fd));
    return status;
  }

  Status LockExistingFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) override {
    std::string native;
    Status status = ToNative(path, &native);
    if (!status.ok()) return status;
    UniqueFd fd(OpenRetrying(native, O_RDONLY | O_CLOEXEC, 0));
    if (!fd.valid()) return ErrnoStatus("open", native, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return ErrnoStatus("fstat", native, errno);
    if (S_ISDIR(info.st_mode)) return ErrnoStatus("open", native, EISDIR);
    status = Flock(fd.get(), LOCK_EX | LOCK_NB, native);
    if (status.ok()) *lock = std::make_unique<PosixFileLock>(std::move(fd));
    return status;
  }

 private:
  static Status Flock(int fd, int operation, const std::string& native) {
    int result;
    do {
      result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return Status::Ok();
    if (errno == EWOULDBLOCK) {
      return Status::Busy("lock " + native + ": the file is in use", errno);
    }
    return ErrnoStatus("flock", native, errno);
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewPosixFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace fennimar::platform
