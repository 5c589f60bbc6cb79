// Error statuses and path handling shared by the POSIX file services.
#include "src/platform/posix/PosixPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "src/common/Utf.h"

namespace fennimar::platform {
namespace {

// Linux gives up after 40 links in one lookup; we follow no more either.
constexpr int kMaxLinkHops = 40;

// strerror_r has a GNU and an XSI form; these take the message from either.
[[maybe_unused]] const char* ErrorText(int result, const char* buffer) {
  return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* ErrorText(const char* result, const char* /*buffer*/) {
  return result;
}

Status RealFolder(const std::string& folder, std::string* resolved) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr), &std::free);
  if (!real) return ErrnoStatus("realpath", folder, errno);
  *resolved = real.get();
  return Status::Ok();
}

Status ReadLink(const std::string& path, std::string* target) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0) return ErrnoStatus("readlink", path, errno);
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      *target = std::move(buffer);
      return Status::Ok();
    }
    buffer.resize(buffer.size() * 2);
  }
}

// One step of ResolveLinks: `path` with its folder made real. Sets `*link` to
// the link's target, resolved against the link's folder, when the final
// element is a symbolic link, and leaves it empty otherwise.
Status ResolveStep(const std::string& path, std::string* real, std::string* link) {
  link->clear();
  std::string folder, name;
  SplitPath(path, &folder, &name);
  if (name.empty() || name == "." || name == "..") return RealFolder(path, real);
  Status status = RealFolder(folder, &folder);
  if (!status.ok()) return status;
  *real = (folder == "/" ? "" : folder) + "/" + name;
  struct stat info {};
  if (::lstat(real->c_str(), &info) != 0) {
    return errno == ENOENT ? Status::Ok() : ErrnoStatus("lstat", *real, errno);
  }
  if (!S_ISLNK(info.st_mode)) return Status::Ok();
  status = ReadLink(*real, link);
  if (status.ok() && !link->empty() && link->front() != '/') *link = folder + "/" + *link;
  return status;
}

Status::Cause CauseOf(int error) {
  switch (error) {
    case EROFS:
      return Status::Cause::kReadOnlyFileSystem;
    case EACCES:
    case EPERM:
      return Status::Cause::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return Status::Cause::kNoSpace;
    default:
      return Status::Cause::kOther;
  }
}

}  // namespace

// "open /x/y: No such file or directory" as kNotFound or kIoError.
Status ErrnoStatus(const char* operation, const std::string& path, int error) {
  char buffer[128] = {};
  std::string message = std::string(operation) + " " + path + ": " +
                        ErrorText(strerror_r(error, buffer, sizeof buffer), buffer);
  if (error == ENOENT || error == ENOTDIR) return Status::NotFound(std::move(message), error);
  return Status::IoError(std::move(message), error).Because(CauseOf(error));
}

namespace {

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

}  // namespace

FileIdentity IdentityOf(const struct stat& info) {
  FileIdentity identity;
  identity.exists = true;
  identity.volume = static_cast<std::uint64_t>(info.st_dev);
  identity.file = static_cast<std::uint64_t>(info.st_ino);
  identity.size = static_cast<std::uint64_t>(info.st_size);
  identity.modified = Nanoseconds(info.st_mtim);
  identity.changed = Nanoseconds(info.st_ctim);
  return identity;
}

// The UTF-8 spelling of `path`; a NUL inside would silently cut it short.
Status ToNative(std::u16string_view path, std::string* native) {
  if (path.find(u'\0') != std::u16string_view::npos) {
    return Status::Invalid("path contains a NUL character");
  }
  *native = Utf16ToUtf8(path);
  return Status::Ok();
}

// `path` split at its last slash into the folder ("." when there is none,
// "/" for the root) and the final name, trailing slashes ignored.
void SplitPath(std::string path, std::string* folder, std::string* name) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    *folder = ".";
    *name = path;
  } else {
    *folder = slash == 0 ? "/" : path.substr(0, slash);
    *name = path.substr(slash + 1);
  }
}

// Follows symbolic links, at most kMaxLinkHops of them.
Status ResolveNative(std::string path, std::string* resolved) {
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    std::string link;
    const Status status = ResolveStep(path, resolved, &link);
    if (!status.ok() || link.empty()) return status;
    path = std::move(link);
  }
  return ErrnoStatus("resolve", path, ELOOP);
}

std::string ProgramFile() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) return buffer.substr(0, length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace fennimar::platform
