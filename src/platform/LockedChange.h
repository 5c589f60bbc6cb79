// LockedChange - the one way a file that several processes change is
// changed: take the lock file beside it, read the file, change it in memory,
// write it back atomically, let the lock go. Writers in other processes take
// turns on the lock, so none loses what another wrote; a failure at any step
// leaves the file as it was.
#ifndef FENNIMAR_PLATFORM_LOCKEDCHANGE_H_
#define FENNIMAR_PLATFORM_LOCKEDCHANGE_H_

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// The lock file of `path`: its name with kLockSuffix added.
inline constexpr std::u16string_view kLockSuffix = u".lock";
std::u16string LockFilePath(std::u16string_view path);
// The lock file of the document at `document_path`: beside the file the path
// names, links followed (the path as given when they cannot be), so that
// every path to one document names one lock file.
std::u16string DocumentLockFile(FileSystem& files, std::u16string_view document_path);

// The step of a change that failed.
enum class ChangeStep { kFolder, kLock, kRead, kChange, kWrite };

// What a change does with its file; the caller's own state carries what
// `read` found to `change`.
struct FileChange {
  // Reads the file, held under its lock. Its failure is kRead.
  std::function<Status()> read;
  // Makes the change and gives the bytes to write, or leaves `*write` false
  // to write nothing. Its failure is kChange.
  std::function<Status(std::string* bytes, bool* write)> change;
  // Bytes beyond this are not written (kTooLarge, as kWrite).
  std::size_t max_bytes = std::numeric_limits<std::size_t>::max();
  // The permission bits of a file the change creates.
  unsigned new_file_mode = 0644;
  // Whether the file's missing folders are made first (kFolder).
  bool create_folders = false;
};

// Runs `change` on the file at `path`, under its lock file, and replaces the
// file with WriteFileAtomically. On failure `*failed` (when given) names the
// step. Whatever `read` or `change` throws passes through, with the file
// left as it was and the lock let go.
Status ChangeFileLocked(FileSystem& files, std::u16string_view path, const FileChange& change,
                        ChangeStep* failed = nullptr);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_LOCKEDCHANGE_H_
