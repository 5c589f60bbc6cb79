// UniqueFd - owns one file descriptor and closes it, once, when it goes.
#ifndef FENNIMAR_PLATFORM_POSIX_UNIQUEFD_H_
#define FENNIMAR_PLATFORM_POSIX_UNIQUEFD_H_

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace fennimar::platform {

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd& operator=(UniqueFd&&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and returns close's errno (0 on success). The descriptor is
  // gone even when close fails, so it is never closed a second time.
  int Close() {
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_POSIX_UNIQUEFD_H_
