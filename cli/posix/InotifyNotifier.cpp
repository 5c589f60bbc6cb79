// Watching on Linux: one inotify instance over the folders of the watched
// files, a signalfd for SIGINT and SIGTERM, and standard output, all in one
// poll(): the process sleeps until one of them has something to say.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "cli/ChangeNotifier.h"
#include "cli/Errors.h"
#include "cli/Locations.h"
#include "src/common/Utf.h"
#include "src/platform/standin/registry/HiveFile.h"

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

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

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

// The registry stand-in keeps every key in one file, found by the library's
// own rule.
std::string StandInRegistryFile() {
  std::u16string path;
  if (!platform::HiveFilePath(&path).ok()) return {};
  return Utf16ToUtf8(path);
}

std::string LastPart(const std::string& path) { return FsPath(path).filename().u8string(); }

class InotifyNotifier : public ChangeNotifier {
 public:
  explicit InotifyNotifier(const WatchTargets& targets)
      : signals_(BlockEndingSignals()), inotify_(StartInotify()) {
    for (const std::string& file : targets.files) {
      folders_[FolderOf(file)].insert(LastPart(file));
    }
    if (!targets.registry_keys.empty()) {
      const std::string hive = StandInRegistryFile();
      if (!hive.empty()) folders_[FolderOf(hive)].insert(LastPart(hive));
    }
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
  // Watches each folder, or the nearest existing one above it, and notes
  // which names matter in each watch.
  void Arm() {
    interest_.clear();
    for (const auto& [folder, names] : folders_) ArmFolder(folder, names);
  }

  void ArmFolder(std::string path, std::set<std::string> names) {
    std::uint32_t events = kFileEvents;
    for (;;) {
      const int wd = inotify_add_watch(inotify_.get(), path.c_str(),
                                       events | kSelfEvents | IN_ONLYDIR | IN_MASK_ADD);
      if (wd >= 0) {
        interest_[wd].insert(names.begin(), names.end());
        return;
      }
      const std::string parent = FolderOf(path);
      if ((errno != ENOENT && errno != ENOTDIR) || parent == path) {
        FailSystem("cannot watch " + path);
      }
      names = {LastPart(path)};
      path = parent;
      events = kFolderEvents;
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

  Descriptor signals_;
  Descriptor inotify_;
  std::map<std::string, std::set<std::string>> folders_;  // folder -> watched names in it
  std::map<int, std::set<std::string>> interest_;         // watch -> names that matter
};

}  // namespace

std::unique_ptr<ChangeNotifier> WatchForChanges(const WatchTargets& targets) {
  return std::make_unique<InotifyNotifier>(targets);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace fennimar::cli
