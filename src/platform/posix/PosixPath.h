// PosixPath - what the POSIX file services share: turning errno into a Status
// that names the operation and the path, a file's status into its identity,
// UTF-16 paths into native ones, resolving symbolic links, and the running
// program's file. Not for use outside src/platform/posix/.
#ifndef FENNIMAR_PLATFORM_POSIX_POSIXPATH_H_
#define FENNIMAR_PLATFORM_POSIX_POSIXPATH_H_

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// "open /x/y: No such file or directory" as kNotFound (ENOENT, ENOTDIR) or
// kIoError, with errno kept in os_error.
Status ErrnoStatus(const char* operation, const std::string& path, int error);

// The identity of the file `info` describes.
FileIdentity IdentityOf(const struct stat& info);

// The UTF-8 spelling of `path`; a NUL inside is refused, since it would
// silently cut the path short.
Status ToNative(std::u16string_view path, std::string* native);

// `path` split at its last slash into the folder ("." when there is none,
// "/" for the root) and the final name, trailing slashes ignored.
void SplitPath(std::string path, std::string* folder, std::string* name);

// The real path of `path`: its folder made real and, when the final element
// is a symbolic link, the link followed (repeatedly). A missing final element
// is not an error.
Status ResolveNative(std::string path, std::string* resolved);

// The running program's full file name, from /proc/self/exe; empty when the
// link cannot be read (no /proc, or the file was deleted and the name is
// stale).
std::string ProgramFile();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_POSIX_POSIXPATH_H_
