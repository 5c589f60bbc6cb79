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

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

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

  Status Identify(std::u16string_view path, FileIdentity* identity) override {
    *identity = FileIdentity();
    if (path.empty() || HasNul(path)) return Status::Invalid("bad path");
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Status::Ok();
      return Win32Status("CreateFileW", path, error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info)) {
      return LastErrorStatus("GetFileInformationByHandle", path);
    }
    identity->exists = true;
    identity->volume = info.dwVolumeSerialNumber;
    identity->file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity->size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity->modified = Ticks(info.ftLastWriteTime);
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
