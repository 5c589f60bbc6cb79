// PosixMisc - the small POSIX services: how paths are spelled, where the
// running program lives, and waiting.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "src/common/Utf.h"
#include "src/platform/Paths.h"
#include "src/platform/posix/PosixBackends.h"

namespace fennimar::platform {
namespace {

// The executable's full file name from /proc/self/exe; empty when the link
// cannot be read (no /proc, or the file was deleted and the name is stale).
std::u16string ExecutablePath() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return std::u16string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return Utf8ToUtf16(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

// On POSIX the host's module is its executable.
class PosixModulePath : public ModulePath {
 public:
  std::u16string ModuleFileName() override { return ExecutablePath(); }
  std::u16string ExecutableFileName() override { return ExecutablePath(); }
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
