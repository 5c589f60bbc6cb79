// Win32FileSystem - the file services on the wide Win32 calls. Locks are
// Windows' own: LockFile takes a byte-range lock (LockFileEx) on a lock file,
// LockExistingFile opens the file with no sharing at all, so that another
// opener gets a sharing violation; the holder still reads and replaces the
// file it holds (HeldFiles). Both go with the handle, and so with the
// process. Windows has no permission bits; the mode is not kept.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "src/common/WideText.h"
#include "src/platform/UniqueNames.h"
#include "src/platform/win32/HeldFiles.h"
#include "src/platform/win32/OpenFileReader.h"
#include "src/platform/win32/StaleFiles.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/Win32Api.h"
#include "src/platform/win32/Win32Backends.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::platform {
namespace {

constexpr int kMaxNameAttempts = 100;
// What GetPermissions reports for every existing file: an ordinary file its
// owner may write. Windows keeps access in ACLs, which a replacement inherits
// from its folder.
// A file marked read-only reports no write bits.
constexpr unsigned kFixedMode = 0644;
constexpr unsigned kReadOnlyMode = 0444;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::uint64_t RandomBits() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<std::uint64_t>(now.QuadPart) * 0x9E3779B97F4A7C15ull ^
         (static_cast<std::uint64_t>(::GetTickCount64()) << 17);
}

Status CheckPath(std::u16string_view path) {
  if (path.empty()) return Status::Invalid("empty path");
  if (HasNul(path)) return Status::Invalid("path contains a NUL character");
  return Status::Ok();
}

class Win32WritableFile : public WritableFile {
 public:
  Win32WritableFile(UniqueHandle file, std::u16string path)
      : file_(std::move(file)), path_(std::move(path)) {}

  // WriteFile may take less than asked; the rest is written in further calls.
  Status Append(std::string_view data) override {
    if (!file_.valid()) return Win32Status("WriteFile", path_, ERROR_INVALID_HANDLE);
    while (!data.empty()) {
      const DWORD chunk = data.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(data.size());
      DWORD written = 0;
      if (!::WriteFile(file_.get(), data.data(), chunk, &written, nullptr)) {
        return LastErrorStatus("WriteFile", path_);
      }
      if (written == 0) return Win32Status("WriteFile", path_, ERROR_WRITE_FAULT);
      data.remove_prefix(written);
    }
    return Status::Ok();
  }

  Status Sync() override {
    if (!file_.valid()) return Win32Status("FlushFileBuffers", path_, ERROR_INVALID_HANDLE);
    if (!::FlushFileBuffers(file_.get())) return LastErrorStatus("FlushFileBuffers", path_);
    return Status::Ok();
  }

  Status Close() override {
    if (!file_.valid()) return Status::Ok();
    if (!file_.Close()) return LastErrorStatus("CloseHandle", path_);
    return Status::Ok();
  }

 private:
  UniqueHandle file_;
  std::u16string path_;
};

class Win32FileLock : public FileLock {
 public:
  explicit Win32FileLock(UniqueHandle file) : file_(std::move(file)) {}

 private:
  UniqueHandle file_;  // closing the handle releases the lock
};

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime);
}

class Win32FileSystem : public FileSystem {
 public:
  bool PathExists(std::u16string_view path) override {
    return CheckPath(path).ok() &&
           ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  Status CreateDirectory(std::u16string_view path) override {
    Status status = CheckPath(path);
    if (!status.ok()) return status;
    if (!::CreateDirectoryW(Wide(path).c_str(), nullptr)) {
      return LastErrorStatus("CreateDirectoryW", path);
    }
    return Status::Ok();
  }

  // A folder cannot be opened as a file, which gives kIoError as it should.
  // A file this process holds without sharing is read through its holder.
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

  Status ReadFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes) override {
    return Read(path, max_bytes, bytes, /*prefix=*/false);
  }

  Status ReadFilePrefix(std::u16string_view path, std::size_t max_bytes,
                        std::string* bytes) override {
    return Read(path, max_bytes, bytes, /*prefix=*/true);
  }

  // `mode` is not kept: see kFixedMode.
  Status CreateUniqueFile(std::u16string_view prefix, unsigned /*mode*/,
                          std::u16string* created_path,
                          std::unique_ptr<WritableFile>* file) override {
    Status status = CheckPath(prefix);
    if (!status.ok()) return status;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
      const std::string suffix = UniqueSuffix(::GetCurrentProcessId(), RandomBits());
      std::u16string path(prefix);
      path.append(suffix.begin(), suffix.end());
      UniqueHandle handle(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!handle.valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        return Win32Status("CreateFileW", path, error);
      }
      *created_path = path;
      *file = std::make_unique<Win32WritableFile>(std::move(handle), std::move(path));
      return Status::Ok();
    }
    return Win32Status("CreateFileW", prefix, ERROR_FILE_EXISTS);
  }

  Status RemoveStaleUniqueFiles(std::u16string_view prefix) override {
    Status status = CheckPath(prefix);
    return status.ok() ? RemoveFilesOfEndedCreators(prefix) : status;
  }

  // Replaces in one step; the data reaches the disk before the call returns.
  // A target this process holds stays held, now the new file.
  Status RenameFile(std::u16string_view from, std::u16string_view to) override {
    Status status = CheckPath(from);
    if (status.ok()) status = CheckPath(to);
    return status.ok() ? MoveFileOver(from, to) : status;
  }

  Status RemoveFile(std::u16string_view path) override {
    Status status = CheckPath(path);
    if (!status.ok()) return status;
    if (!::DeleteFileW(Wide(path).c_str())) return LastErrorStatus("DeleteFileW", path);
    return Status::Ok();
  }

  // MOVEFILE_WRITE_THROUGH has already made the rename durable; Windows has
  // no separate flush of a folder's names.
  Status SyncDirectory(std::u16string_view /*folder*/) override { return Status::Ok(); }

  Status GetPermissions(std::u16string_view path, unsigned* mode) override {
    Status status = CheckPath(path);
    if (!status.ok()) return status;
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorStatus("GetFileAttributesW", path);
    *mode = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? kReadOnlyMode : kFixedMode;
    return Status::Ok();
  }

  // Settings files are not reached through links on Windows; the path is
  // used as given, and a replace replaces what the name names.
  Status ResolveLinks(std::u16string_view path, std::u16string* resolved) override {
    Status status = CheckPath(path);
    if (status.ok()) *resolved = std::u16string(path);
    return status;
  }

  // Waits for the whole-file lock; other processes' LockFileEx waits likewise.
  Status LockFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) override {
    Status status = CheckPath(path);
    if (!status.ok()) return status;
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorStatus("CreateFileW", path);
    OVERLAPPED whole_file{};
    if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole_file)) {
      return LastErrorStatus("LockFileEx", path);
    }
    *lock = std::make_unique<Win32FileLock>(std::move(file));
    return Status::Ok();
  }

  // Opening with share mode 0 fails with a sharing violation (kBusy) while
  // anyone else has the file open, and keeps everyone else out meanwhile.
  Status LockExistingFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) override {
    Status status = CheckPath(path);
    return status.ok() ? HoldExistingFile(path, lock) : status;
  }

 private:
  // Through the handle that holds the file when this process holds it, else
  // on a handle of its own that shares every access.
  Status Read(std::u16string_view path, std::size_t max_bytes, std::string* bytes, bool prefix) {
    Status status = CheckPath(path);
    if (!status.ok()) return status;
    bool held = false;
    status = ReadHeldFile(path, max_bytes, bytes, &held, prefix);
    if (held) return status;
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorStatus("CreateFileW", path);
    return prefix ? ReadOpenFilePrefix(file.get(), path, max_bytes, bytes)
                  : ReadWholeOpenFile(file.get(), path, max_bytes, bytes);
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace fennimar::platform
