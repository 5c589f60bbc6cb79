#include "src/platform/Paths.h"

namespace fennimar::platform {

std::u16string ParentFolder(std::u16string_view path) {
  const auto last = path.rfind(PathSeparator());
  if (last == std::u16string_view::npos) return std::u16string();
  return std::u16string(path.substr(0, last));
}

}  // namespace fennimar::platform
