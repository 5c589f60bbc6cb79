// Win32DocumentLocks - the document's locks as byte-range locks (LockFileEx)
// on a lock file, one byte per lock. They belong to the handle, so two objects
// of one process exclude each other, and the system releases them when the
// handle is closed, which it does for a process that ends however it ends.
#include "src/platform/win32/Win32Api.h"

#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>

#include "src/platform/DocumentLocks.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"
#include "src/common/WideText.h"

namespace fennimar::platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Win32RangeLock : public FileLock {
 public:
  explicit Win32RangeLock(UniqueHandle file) : file_(std::move(file)) {}

 private:
  UniqueHandle file_;  // closing the handle releases its locks
};

class Win32DocumentLocks : public DocumentLocks {
 public:
  Status Lock(std::u16string_view path, LockSlot slot, LockKind kind, bool wait,
              std::unique_ptr<FileLock>* lock) override {
    if (path.empty() || HasNul(path)) return Status::Invalid("bad lock file path");
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorStatus("CreateFileW", path);
    DWORD flags = kind == LockKind::kExclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!wait) flags |= LOCKFILE_FAIL_IMMEDIATELY;
    OVERLAPPED at{};
    at.Offset = slot == LockSlot::kChange ? 0 : 1;
    if (!::LockFileEx(file.get(), flags, 0, 1, 0, &at)) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
        return Status::Busy("lock file held", static_cast<int>(error));
      }
      return Win32Status("LockFileEx", path, error);
    }
    *lock = std::make_unique<Win32RangeLock>(std::move(file));
    return Status::Ok();
  }

  bool SharingRequested() override {
    const wchar_t* value = _wgetenv(L"FENNIMAR_SHARED");
    return value != nullptr && std::wstring_view(value) == L"1";
  }
};

}  // namespace

std::unique_ptr<DocumentLocks> NewWin32DocumentLocks() {
  return std::make_unique<Win32DocumentLocks>();
}

}  // namespace fennimar::platform
