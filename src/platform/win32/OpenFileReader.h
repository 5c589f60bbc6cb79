// OpenFileReader - reads the content of a file already open for reading:
// all of it, or only its beginning.
#ifndef FENNIMAR_PLATFORM_WIN32_OPENFILEREADER_H_
#define FENNIMAR_PLATFORM_WIN32_OPENFILEREADER_H_

#include "src/platform/win32/Win32Api.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "src/common/Status.h"

namespace fennimar::platform {

// Reads `file` from its first byte to its end into `bytes`. A file larger than
// `max_bytes`, when measured or while read, gives kTooLarge and leaves `bytes`
// as it was. `path` only names the file in messages.
Status ReadWholeOpenFile(HANDLE file, std::u16string_view path, std::size_t max_bytes,
                         std::string* bytes);
// Reads the first `max_bytes` of `file`, or all of a shorter one, into
// `bytes`, never holding more than that whatever the file's size.
Status ReadOpenFilePrefix(HANDLE file, std::u16string_view path, std::size_t max_bytes,
                          std::string* bytes);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_OPENFILEREADER_H_
