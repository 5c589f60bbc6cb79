// HeldFiles - one table per process of the files held with share mode 0.
// Each lock is an entry in the table from its creation to its destruction;
// the table's mutex guards every entry's handle, since a replace may swap it
// while another thread reads or releases.
#include "src/platform/win32/HeldFiles.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "src/platform/win32/OpenFileReader.h"
#include "src/platform/win32/ReadOnly.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/Win32Status.h"
#include "src/common/WideText.h"

namespace fennimar::platform {
namespace {

class HeldFileLock;

struct Table {
  std::mutex mutex;
  std::vector<HeldFileLock*> locks;
};

Table& Held() {
  static Table table;
  return table;
}

// The name Windows would open: relative paths and "." or ".." resolved.
std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), /*bIgnoreCase=*/TRUE) == CSTR_EQUAL;
}

HANDLE OpenWithoutSharing(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ, /*dwShareMode=*/0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class HeldFileLock : public FileLock {
 public:
  HeldFileLock(std::wstring full_path, UniqueHandle file)
      : full_path_(std::move(full_path)), file_(std::move(file)) {
    std::lock_guard<std::mutex> guard(Held().mutex);
    Held().locks.push_back(this);
  }
  ~HeldFileLock() override {
    std::lock_guard<std::mutex> guard(Held().mutex);
    auto& locks = Held().locks;
    locks.erase(std::remove(locks.begin(), locks.end(), this), locks.end());
    file_.Close();
  }
  HeldFileLock(const HeldFileLock&) = delete;
  HeldFileLock& operator=(const HeldFileLock&) = delete;

  // The members below are called with the table's mutex held.
  bool Holds(const std::wstring& full_path) const {
    return file_.valid() && SameName(full_path_, full_path);
  }
  HANDLE handle() const { return file_.get(); }
  void Release() { file_.Close(); }
  void Retake() { file_.Reset(OpenWithoutSharing(full_path_)); }

 private:
  std::wstring full_path_;
  UniqueHandle file_;
};

HeldFileLock* FindHolder(const std::wstring& full_path) {
  for (HeldFileLock* lock : Held().locks) {
    if (lock->Holds(full_path)) return lock;
  }
  return nullptr;
}

}  // namespace

Status HoldExistingFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) {
  const std::wstring wide = Wide(path);
  UniqueHandle file(OpenWithoutSharing(wide));
  if (!file.valid()) return LastErrorStatus("CreateFileW", path);
  *lock = std::make_unique<HeldFileLock>(FullPath(wide), std::move(file));
  return Status::Ok();
}

Status ReadHeldFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes,
                    bool* held, bool prefix) {
  const std::wstring full_path = FullPath(Wide(path));
  std::lock_guard<std::mutex> guard(Held().mutex);
  HeldFileLock* holder = FindHolder(full_path);
  *held = holder != nullptr;
  if (!holder) return Status::Ok();
  return prefix ? ReadOpenFilePrefix(holder->handle(), path, max_bytes, bytes)
                : ReadWholeOpenFile(holder->handle(), path, max_bytes, bytes);
}

// A file that another process has open without delete sharing (a reader in
// the middle of a load, a virus scanner, an indexer) cannot be replaced;
// such opens last milliseconds, so the replace is tried again for up to half
// a second before it counts as failed.
constexpr int kMaxReplaceAttempts = 100;
constexpr DWORD kReplaceWaitMilliseconds = 5;

Status MoveFileOver(std::u16string_view from, std::u16string_view to) {
  // Windows refuses to replace a file marked read-only; Wine would replace it.
  if (IsReadOnlyFile(to)) return Win32Status("MoveFileExW", to, ERROR_ACCESS_DENIED);
  const std::wstring target = Wide(to);
  std::lock_guard<std::mutex> guard(Held().mutex);
  HeldFileLock* holder = FindHolder(FullPath(target));
  if (holder) holder->Release();
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kMaxReplaceAttempts; ++attempt) {
    if (attempt > 0) ::Sleep(kReplaceWaitMilliseconds);
    error = ::MoveFileExW(Wide(from).c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                ? ERROR_SUCCESS
                : ::GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
  }
  const bool moved = error == ERROR_SUCCESS;
  if (holder) holder->Retake();
  return moved ? Status::Ok() : Win32Status("MoveFileExW", from, error);
}

}  // namespace fennimar::platform
