// ChildProcess on POSIX: posix_spawn with the output on a pipe, poll for a
// read with a deadline, SIGKILL, waitpid.
#include "tests/reliability/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace fennimar::reliability {
namespace {

constexpr std::size_t kReadChunk = 4096;

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
    if (polled < 0) return Read::kEnd;
    char chunk[kReadChunk];
    const ssize_t got = ::read(out_, chunk, sizeof chunk);
    if (got <= 0) return Read::kEnd;
    bytes->append(chunk, static_cast<std::size_t>(got));
    return Read::kData;
  }

  void Kill() override {
    if (!reaped_) ::kill(pid_, SIGKILL);
  }

  bool Ended() override { return reaped_ || Reap(WNOHANG); }

  int Wait() override {
    if (!reaped_) Reap(0);
    return status_;
  }

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

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  std::string* error) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    *error = std::string("pipe2: ") + std::strerror(errno);
    return nullptr;
  }
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
  if (spawned != 0) {
    ::close(fds[0]);
    *error = "cannot start " + argv[0] + ": " + std::strerror(spawned);
    return nullptr;
  }
  return std::make_unique<PosixChildProcess>(pid, fds[0]);
}

}  // namespace fennimar::reliability
