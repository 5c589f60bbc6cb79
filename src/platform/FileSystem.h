// FileSystem - the file and folder services the library needs, one small
// interface so that tests can substitute a backend that fails on demand.
// Paths are UTF-16; each backend converts them to what its system takes.
#ifndef FENNIMAR_PLATFORM_FILESYSTEM_H_
#define FENNIMAR_PLATFORM_FILESYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "src/common/Status.h"

namespace fennimar::platform {

// Who a file is and when it last changed. Two identities differ when the file
// was replaced (a new file under the name), written in place, or removed.
struct FileIdentity {
  bool exists = false;
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's finest unit
  std::int64_t changed = 0;   // status change where the system keeps one, else 0

  friend bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.exists == b.exists && a.volume == b.volume && a.file == b.file && a.size == b.size &&
           a.modified == b.modified && a.changed == b.changed;
  }
  friend bool operator!=(const FileIdentity& a, const FileIdentity& b) { return !(a == b); }
};

// A file open for writing. The destructor closes a file that is still open and
// reports nothing; call Close to learn whether closing succeeded.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all of `data`, continuing after short writes and interruptions.
  virtual Status Append(std::string_view data) = 0;
  // Flushes the file's data to the disk.
  virtual Status Sync() = 0;
  virtual Status Close() = 0;
};

// Held while a lock taken with FileSystem::LockFile is held; the destructor
// releases it.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file or folder exists at `path`.
  virtual bool PathExists(std::u16string_view path) = 0;
  // True when this user may create files in the existing `folder`. This
  // default says yes, leaving the answer to the write itself.
  virtual bool CanWriteIn(std::u16string_view /*folder*/) { return true; }
  // Creates one folder; its parent must exist.
  virtual Status CreateDirectory(std::u16string_view path) = 0;
  // The identity of the file at `path`; a missing file gives exists == false
  // and Ok.
  virtual Status Identify(std::u16string_view path, FileIdentity* identity) = 0;
  // Reads a whole file. A file larger than `max_bytes` is not read and gives
  // kTooLarge. A missing file gives kNotFound.
  virtual Status ReadFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes) = 0;
  // Reads a whole file as ReadFile does, where the caller saw the file as
  // `seen` just before (Identify): a backend may take its size from there
  // instead of asking again. The read still goes to the file's end. This
  // default reads as ReadFile does.
  virtual Status ReadSeenFile(std::u16string_view path, std::size_t max_bytes,
                              const FileIdentity& seen, std::string* bytes) {
    (void)seen;
    return ReadFile(path, max_bytes, bytes);
  }
  // Reads the file as ReadFile does unless it is still the file `*identity`
  // names, and sets `*identity` to the identity of the file read, taken
  // before the read (so that a change during the read shows as a difference
  // later). `*read` tells whether `*bytes` was filled. The identity is left
  // empty (so that the next call reads again) where the backend cannot vouch
  // that a later change will show in it: a file changed so recently that a
  // rewrite in place, to the same size, could keep its times. A missing file
  // gives kNotFound.
  // This default never vouches: it always reads.
  virtual Status ReadFileIfChanged(std::u16string_view path, std::size_t max_bytes,
                                   FileIdentity* identity, std::string* bytes, bool* read) {
    *identity = FileIdentity();
    *read = true;
    return ReadFile(path, max_bytes, bytes);
  }
  // Reads the first `max_bytes` of a file, or all of a shorter one, whatever
  // its size. This default reads the whole file; a backend that can stop
  // early does, so that a large file is never held whole.
  virtual Status ReadFilePrefix(std::u16string_view path, std::size_t max_bytes,
                                std::string* bytes) {
    Status status = ReadFile(path, static_cast<std::size_t>(-1), bytes);
    if (status.ok() && bytes->size() > max_bytes) bytes->resize(max_bytes);
    return status;
  }
  // Creates a new file whose name is `prefix` followed by a unique suffix,
  // with permission bits `mode`, never reusing an existing name.
  virtual Status CreateUniqueFile(std::u16string_view prefix, unsigned mode,
                                  std::u16string* created_path,
                                  std::unique_ptr<WritableFile>* file) = 0;
  // Removes the files CreateUniqueFile made with `prefix` whose creating
  // process has ended (it was killed, or the machine stopped) without removing
  // them. A file whose creator still runs is never touched, nor is any name
  // CreateUniqueFile would not make. A backend that cannot tell whether a
  // process has ended keeps every file, as this default does.
  virtual Status RemoveStaleUniqueFiles(std::u16string_view /*prefix*/) { return Status::Ok(); }
  // Replaces `to` with `from` in one step: a reader sees the old or the new
  // file, never a mixture or nothing.
  virtual Status RenameFile(std::u16string_view from, std::u16string_view to) = 0;
  virtual Status RemoveFile(std::u16string_view path) = 0;
  // Makes the names in `folder` (a new or renamed entry) durable.
  virtual Status SyncDirectory(std::u16string_view folder) = 0;
  // Permission bits of an existing file (kNotFound when it is missing).
  virtual Status GetPermissions(std::u16string_view path, unsigned* mode) = 0;
  // The path with every symbolic link along it followed, so that a writer
  // replaces the file a link points to rather than the link. A path whose
  // last element does not exist resolves to the path of what would be created.
  virtual Status ResolveLinks(std::u16string_view path, std::u16string* resolved) = 0;
  // Takes an exclusive lock on the lock file at `path` (created if missing),
  // waiting for other holders, in this process or another. The lock never
  // outlives its holder: a process that dies releases it.
  virtual Status LockFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) = 0;
  // Takes an exclusive lock on the existing file at `path` without waiting:
  // a file opened without sharing. kNotFound when there is no such file (none
  // is created), kBusy while another holder, in this process or another, has
  // it, kIoError for a folder or any other failure.
  virtual Status LockExistingFile(std::u16string_view path, std::unique_ptr<FileLock>* lock) = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_FILESYSTEM_H_
