// PosixMisc - the small POSIX services: how paths are spelled, where the
// running program lives, and waiting.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "src/common/Utf.h"
#include "src/platform/ConfigFolder.h"
#include "src/platform/Paths.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/posix/PosixPath.h"

namespace fennimar::platform {
namespace {

// The executable's full file name; empty when it cannot be found.
std::u16string ExecutablePath() { return Utf8ToUtf16(ProgramFile()); }

// The user's own data folder ($XDG_DATA_HOME, else ~/.local/share, where a
// program installed for this user alone keeps its data), then the absolute
// folders of $XDG_DATA_DIRS, or its default when it names none: the order in
// which desktops search for data.
std::vector<std::u16string> DataFolders() {
  std::vector<std::u16string> folders;
  const char* home_data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (home_data != nullptr && home_data[0] == '/') {
    folders.push_back(Utf8ToUtf16(home_data));
  } else if (home != nullptr && home[0] == '/') {
    folders.push_back(Utf8ToUtf16(std::string(home) + "/.local/share"));
  }
  const char* listed = std::getenv("XDG_DATA_DIRS");
  const std::string list =
      listed != nullptr && listed[0] != '\0' ? listed : "/usr/local/share:/usr/share";
  std::size_t start = 0;
  for (std::size_t end = 0; end != std::string::npos; start = end + 1) {
    end = list.find(':', start);
    std::string folder = list.substr(start, end == std::string::npos ? end : end - start);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!folder.empty() && folder[0] == '/') folders.push_back(Utf8ToUtf16(folder));
  }
  return folders;
}

// On POSIX the host's module is its executable. A program folder that the
// user cannot write is mirrored below the user's configuration folder, as
// Windows mirrors it below the user's VirtualStore: /usr/bin stands in
// $XDG_CONFIG_HOME/fennimar/VirtualStore/usr/bin.
class PosixModulePath : public ModulePath {
 public:
  std::u16string ModuleFileName() override { return ExecutablePath(); }
  std::u16string ExecutableFileName() override { return ExecutablePath(); }
  std::vector<std::u16string> SharedDataFolders() override { return DataFolders(); }
  std::u16string PerUserFolderFor(std::u16string_view folder) override {
    std::string config;
    if (folder.empty() || folder[0] != u'/' || !UserConfigFolder(&config)) return {};
    return Utf8ToUtf16(config + "/fennimar/VirtualStore") + std::u16string(folder);
  }
};

// Sleeps the whole time, going on with what remains after a signal.
class PosixSleeper : public Sleeper {
 public:
  void SleepMilliseconds(unsigned milliseconds) override {
    timespec request{};
    request.tv_sec = static_cast<time_t>(milliseconds / 1000);
    request.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    timespec remaining{};
    while (::nanosleep(&request, &remaining) != 0 && errno == EINTR) request = remaining;
  }
};

}  // namespace

char16_t PathSeparator() { return u'/'; }
bool PathsHaveDriveLetters() { return false; }

std::unique_ptr<ModulePath> NewPosixModulePath() { return std::make_unique<PosixModulePath>(); }
std::unique_ptr<Sleeper> NewPosixSleeper() { return std::make_unique<PosixSleeper>(); }

}  // namespace fennimar::platform
