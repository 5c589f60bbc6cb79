// Reading a file whole through the library's file service, which opens the
// file once and reads what that opening holds, whoever replaces or deletes
// the name meanwhile (on Windows it shares the file for deletion, so a
// writer's replace never waits for this read).
#include <cstdint>

#include "cli/ChangeNotifier.h"
#include "src/common/Utf.h"
#include "src/platform/wiring/UserRegistry.h"

namespace fennimar::cli {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (!platform::UserFileSystem().ReadFile(Utf8ToUtf16(path), SIZE_MAX, &bytes).ok()) return {};
  return bytes;
}

}  // namespace fennimar::cli
