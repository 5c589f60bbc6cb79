// The reliability tests' OS calls on Linux: posix_spawn with the output on a
// pipe, poll, SIGKILL and waitpid; the registry stand-in's file below the
// test's XDG_CONFIG_HOME, which children inherit; inodes; and the peak
// resident size from /proc, which Linux lets a process reset.
#include "tests/reliability/Platform.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace fennimar::reliability {
namespace {

class PosixChildProcess : public ChildProcess {
 public:
  PosixChildProcess(pid_t pid, int out) : pid_(pid), out_(out) {}
  ~PosixChildProcess() override {
    Kill();
    Wait();
    ::close(out_);
  }

  Read ReadSome(int timeout_ms, std::string* bytes) override {
    pollfd ready{out_, POLLIN, 0};
    const int polled = ::poll(&ready, 1, timeout_ms);
    if (polled == 0) return Read::kTimeout;
    char chunk[4096];
    const ssize_t got = polled < 0 ? -1 : ::read(out_, chunk, sizeof chunk);
    if (got <= 0) return Read::kEnd;
    bytes->append(chunk, static_cast<std::size_t>(got));
    return Read::kData;
  }

  void Kill() override {
    if (!reaped_) ::kill(pid_, SIGKILL);
  }
  bool Ended() override { return reaped_ || Reap(WNOHANG); }
  int Wait() override { return reaped_ || Reap(0) ? status_ : -1; }

 private:
  bool Reap(int options) {
    int status = 0;
    if (::waitpid(pid_, &status, options) != pid_) return false;
    reaped_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
  }

  pid_t pid_;
  int out_;
  bool reaped_ = false;
  int status_ = -1;
};

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return 0;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  std::string* error) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return *error = std::strerror(errno), nullptr;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (spawned == 0) return std::make_unique<PosixChildProcess>(pid, fds[0]);
  ::close(fds[0]);
  *error = "cannot start " + argv[0] + ": " + std::strerror(spawned);
  return nullptr;
}

bool JoinTestHome() { return true; }

void SeedRegistry(const std::string& wallpaper) {
  const std::filesystem::path hive =
      std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "fennimar/HKEY_CURRENT_USER.reg";
  std::filesystem::create_directories(hive.parent_path());
  std::ofstream(hive, std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"WallPaper\"=\""
      << wallpaper
      << "\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]\r\n"
         "\"IsFirstUse\"=dword:00000000\r\n";
}

bool StandInsHere() { return true; }

std::string FileIdentity(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? std::to_string(info.st_ino) : "missing";
}

long PeakGrowthKb(const std::function<void()>& run) {
  const long before = StatusKb("VmRSS:");
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5" << std::flush;
  run();
  return reset ? StatusKb("VmHWM:") - before : 0;
}

bool PlatformReadsDocument(const std::string&) { return false; }

}  // namespace fennimar::reliability
