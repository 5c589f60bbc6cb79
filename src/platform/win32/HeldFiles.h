// HeldFiles - the files this process holds open without sharing, by path.
//
// A file opened with share mode 0 keeps every other opener out, this process's
// own other handles included, and Windows refuses to replace a file that is
// open. The holder itself still has to read the file it holds and to replace
// it with a new version, so the file system looks a path up here: a read goes
// through the holding handle, and a replace closes that handle for the moment
// of the rename and then holds the new file under the same lock. Paths match
// as Windows matches them: full paths, letter case ignored.
//
// Thread-safe: one table per process, behind a mutex.
#ifndef FENNIMAR_PLATFORM_WIN32_HELDFILES_H_
#define FENNIMAR_PLATFORM_WIN32_HELDFILES_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// Opens the existing file at `path` for reading with share mode 0 and holds
// it until `lock` goes. kBusy while anyone has the file open.
Status HoldExistingFile(std::u16string_view path, std::unique_ptr<FileLock>* lock);

// When this process holds `path`, reads the file through the holding handle
// into `bytes` and sets `*held`; otherwise only clears `*held`. The whole file
// (kTooLarge above `max_bytes`), or with `prefix` only its first `max_bytes`.
Status ReadHeldFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes,
                    bool* held, bool prefix = false);

// Moves `from` over `to` with MoveFileExW (replace, write-through). When this
// process holds `to`, the holding handle is closed for the rename and the
// file then at `to` (the new one, or the old one if the rename failed) is
// held again; if another opener took it in between, the hold ends there.
// A target marked read-only is refused, as Windows does; a target that another
// process has open for the moment is tried again for up to half a second.
Status MoveFileOver(std::u16string_view from, std::u16string_view to);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_HELDFILES_H_
