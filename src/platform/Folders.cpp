#include "src/platform/Folders.h"

#include <string>

#include "src/platform/Paths.h"

namespace fennimar::platform {

Status CreateFolderChain(FileSystem& files, std::u16string_view folder) {
  const char16_t separator = PathSeparator();
  std::u16string path(folder);
  if (path.empty() || path.back() != separator) path += separator;
  const std::size_t last = path.rfind(separator);
  std::size_t end = path.find(separator);
  if (PathsHaveDriveLetters() && end != std::u16string::npos && end > 0 && path[end - 1] == u':') {
    end = path.find(separator, end + 1);
  }
  for (; end != std::u16string::npos && end <= last; end = path.find(separator, end + 1)) {
    const std::u16string prefix = path.substr(0, end + 1);
    if (files.PathExists(prefix)) continue;
    const Status made = files.CreateDirectory(prefix);
    if (!made.ok() && !files.PathExists(prefix)) return made;
  }
  return Status::Ok();
}

}  // namespace fennimar::platform
