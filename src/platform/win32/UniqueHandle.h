// UniqueHandle - owns one kernel handle (a file, a process) and closes it,
// once, when it goes.
#ifndef FENNIMAR_PLATFORM_WIN32_UNIQUEHANDLE_H_
#define FENNIMAR_PLATFORM_WIN32_UNIQUEHANDLE_H_

#include "src/platform/win32/Win32Api.h"

#include <utility>

namespace fennimar::platform {

class UniqueHandle {
 public:
  // CreateFileW fails with INVALID_HANDLE_VALUE, OpenProcess with null; both
  // count as no handle.
  explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE)
      : handle_(handle == nullptr ? INVALID_HANDLE_VALUE : handle) {}
  ~UniqueHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle& operator=(UniqueHandle&&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes the handle held, if any, and holds `handle` instead.
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle == nullptr ? INVALID_HANDLE_VALUE : handle;
  }
  // Closes now; the handle is gone even when closing fails. False on failure,
  // with the reason in GetLastError().
  bool Close() {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_UNIQUEHANDLE_H_
