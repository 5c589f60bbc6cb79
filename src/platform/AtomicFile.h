// AtomicFile - the one routine that writes a file without ever leaving a cut
// or mixed version behind, whatever fails or whenever the process dies.
#ifndef FENNIMAR_PLATFORM_ATOMICFILE_H_
#define FENNIMAR_PLATFORM_ATOMICFILE_H_

#include <functional>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// Replaces the file at `path` with `bytes`: a temporary file with a unique name
// in the same folder is written, flushed and closed, renamed over the target,
// and the folder is flushed. On any failure the temporary is removed and the
// target is left exactly as it was. A target that exists keeps its permission
// bits; a new one gets `new_file_mode`. When `path` is a symbolic link, the
// file it points to is replaced and the link stays. Temporaries of the same
// target left by writers that died mid-save are removed on the way; those of
// writers still running are not.
Status WriteFileAtomically(FileSystem& files, std::u16string_view path,
                           std::string_view bytes, unsigned new_file_mode);

// The same, with the content appended to the temporary by `fill` as it is
// produced, so that a large file is never held in memory whole. `fill` reports
// a failure through its Status (it must not throw); the save then fails as
// if a write had.
using FileFiller = std::function<Status(WritableFile& file)>;
Status WriteFileAtomically(FileSystem& files, std::u16string_view path, const FileFiller& fill,
                           unsigned new_file_mode);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_ATOMICFILE_H_
