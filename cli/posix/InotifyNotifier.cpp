// Watching on Linux: one inotify instance over the folders of the watched
// files, a signalfd for SIGINT and SIGTERM, and standard output, all in one
// poll(): the process sleeps until one of them has something to say.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>

#include "cli/ChangeNotifier.h"
#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/WatchFolders.h"
#include "src/platform/posix/UniqueFd.h"

namespace fennimar::cli {
namespace {

// In a watched file's own folder: whatever can give the file new content or
// take it away. A rename over the file shows as IN_MOVED_TO, an in-place
// write as IN_CLOSE_WRITE.
constexpr std::uint32_t kFileEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE;
// In a folder above a missing one: the missing folder appearing.
constexpr std::uint32_t kFolderEvents = IN_CREATE | IN_MOVED_TO;
// The watched folder itself going away; the watch then moves up.
constexpr std::uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF;

using Descriptor = platform::UniqueFd;

[[noreturn]] void FailSystem(const std::string& what) {
  Fail(Exit::kWrite, what + ": " + std::strerror(errno));
}

sigset_t EndingSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

// SIGINT and SIGTERM are held back and read from a descriptor, so they can
// only end the watch while it sleeps, never in the middle of a line. A reader
// that closes the output makes writes fail with EPIPE instead of killing us.
int BlockEndingSignals() {
  const sigset_t signals = EndingSignals();
  if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) FailSystem("cannot hold back signals");
  signal(SIGPIPE, SIG_IGN);
  const int fd = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd < 0) FailSystem("cannot receive signals");
  return fd;
}

int StartInotify() {
  const int fd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (fd < 0) FailSystem("cannot watch files");
  return fd;
}

class InotifyNotifier : public ChangeNotifier {
 public:
  explicit InotifyNotifier(const WatchTargets& targets)
      : targets_(targets), signals_(BlockEndingSignals()), inotify_(StartInotify()) {
    Arm();
  }

  Wake Wait() override {
    for (;;) {
      pollfd fds[] = {{signals_.get(), POLLIN, 0}, {inotify_.get(), POLLIN, 0}, {1, 0, 0}};
      if (poll(fds, 3, /*timeout=*/-1) < 0) {
        if (errno == EINTR) continue;
        FailSystem("cannot wait for changes");
      }
      if (fds[0].revents != 0) return Wake::kStop;
      if ((fds[2].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return Wake::kStop;
      if (fds[1].revents != 0 && TakeEvents()) {
        Arm();
        return Wake::kChanged;
      }
    }
  }

 private:
  // Watches the folders as they are now and notes which names matter in each
  // watch. A folder that goes away meanwhile sends the watch up again.
  void Arm() {
    interest_.clear();
    for (const auto& [folder, names] : FoldersToWatch(targets_)) {
      const std::uint32_t events =
          (names.files.empty() ? 0 : kFileEvents) | (names.folders.empty() ? 0 : kFolderEvents);
      const int wd = inotify_add_watch(inotify_.get(), folder.c_str(),
                                       events | kSelfEvents | IN_ONLYDIR | IN_MASK_ADD);
      if (wd < 0 && (errno == ENOENT || errno == ENOTDIR) && FolderOf(folder) != folder) {
        return Arm();
      }
      if (wd < 0) FailSystem("cannot watch " + folder);
      interest_[wd].insert(names.files.begin(), names.files.end());
      interest_[wd].insert(names.folders.begin(), names.folders.end());
    }
  }

  // Reads every pending event; true when one of them concerns a target.
  bool TakeEvents() {
    alignas(inotify_event) char buffer[16384];
    bool relevant = false;
    for (;;) {
      const ssize_t length = read(inotify_.get(), buffer, sizeof buffer);
      if (length <= 0) {
        if (length < 0 && errno == EINTR) continue;
        return relevant;
      }
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        relevant = Concerns(*event) || relevant;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

  bool Concerns(const inotify_event& event) const {
    if ((event.mask & IN_Q_OVERFLOW) != 0) return true;
    const auto watch = interest_.find(event.wd);
    if (watch == interest_.end()) return false;
    if ((event.mask & (kSelfEvents | IN_IGNORED)) != 0) return true;
    return event.len > 0 && watch->second.count(event.name) > 0;
  }

  WatchTargets targets_;
  Descriptor signals_;
  Descriptor inotify_;
  std::map<int, std::set<std::string>> interest_;  // watch -> names that matter
};

}  // namespace

std::unique_ptr<ChangeNotifier> WatchForChanges(const WatchTargets& targets) {
  return std::make_unique<InotifyNotifier>(targets);
}

}  // namespace fennimar::cli
