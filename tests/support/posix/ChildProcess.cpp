// Children on POSIX: posix_spawnp (or fork) with the streams on files or
// pipes, poll with a deadline, signals and waitpid.
#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fennimar::testing {
namespace {

class PosixChildProcess : public ChildProcess {
 public:
  PosixChildProcess(pid_t pid, int out, int err) : pid_(pid), pipes_{out, err} {}
  ~PosixChildProcess() override {
    Kill();
    Wait();
    for (const int fd : pipes_)
      if (fd >= 0) ::close(fd);
  }

  Read ReadSome(Stream stream, int timeout_ms, std::string* bytes) override {
    const int fd = pipes_[stream == Stream::kOutput ? 0 : 1];
    pollfd ready{fd, POLLIN, 0};
    int polled = 0;
    while ((polled = ::poll(&ready, 1, timeout_ms)) < 0 && errno == EINTR) continue;
    if (polled == 0) return Read::kTimeout;
    char chunk[4096];
    ssize_t got = -1;
    while (polled > 0 && (got = ::read(fd, chunk, sizeof chunk)) < 0 && errno == EINTR) continue;
    if (got <= 0) return Read::kEnd;
    bytes->append(chunk, static_cast<std::size_t>(got));
    return Read::kData;
  }

  void Kill() override { Signal(SIGKILL); }
  void Interrupt() override { Signal(SIGINT); }
  void Terminate() override { Signal(SIGTERM); }
  void CloseOutput() override {
    if (pipes_[0] >= 0) ::close(pipes_[0]);
    pipes_[0] = -1;
  }
  bool Ended() override { return reaped_ || Reap(WNOHANG); }
  int Wait() override { return reaped_ || Reap(0) ? status_ : -1; }
  unsigned long Id() const override { return static_cast<unsigned long>(pid_); }

 private:
  void Signal(int signal) {
    if (!reaped_) ::kill(pid_, signal);
  }
  bool Reap(int options) {
    int status = 0;
    pid_t reaped = -1;
    while ((reaped = ::waitpid(pid_, &status, options)) < 0 && errno == EINTR) continue;
    if (reaped != pid_) return false;
    reaped_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
  }

  pid_t pid_;
  int pipes_[2];  // our ends of standard output and error; -1 when none
  bool reaped_ = false;
  int status_ = -1;
};

// The child's environment: ours unless only `env` is wanted, with `env` over it.
std::vector<std::string> EnvironmentOf(const ChildOptions& options) {
  std::vector<std::string> result;
  for (char** entry = environ; !options.only_env && *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const std::string& setting : options.env) replaced |= setting.rfind(name, 0) == 0;
    if (!replaced) result.push_back(text);
  }
  result.insert(result.end(), options.env.begin(), options.env.end());
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Puts standard stream `target` on `file`, or on a new pipe whose reading end
// goes to `*ours`.
bool Redirect(posix_spawn_file_actions_t* actions, int target, const std::string& file,
              int* ours, std::vector<int>* child_ends) {
  if (!file.empty()) {
    const int flags = target == STDIN_FILENO ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    return posix_spawn_file_actions_addopen(actions, target, file.c_str(), flags, 0600) == 0;
  }
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  *ours = fds[0];
  child_ends->push_back(fds[1]);
  return posix_spawn_file_actions_adddup2(actions, fds[1], target) == 0;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  const ChildOptions& options, std::string* error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int out = -1, err = -1;
  std::vector<int> child_ends;
  bool ready =
      Redirect(&actions, STDIN_FILENO, options.input.empty() ? "/dev/null" : options.input,
               nullptr, &child_ends) &&
      Redirect(&actions, STDOUT_FILENO, options.output, &out, &child_ends) &&
      (options.error_is_ours ||
       Redirect(&actions, STDERR_FILENO, options.error, &err, &child_ends));
  std::vector<std::string> args = argv, env = EnvironmentOf(options);
  pid_t pid = -1;
  const int spawned = ready ? posix_spawnp(&pid, args[0].c_str(), &actions, nullptr,
                                           Pointers(args).data(), Pointers(env).data())
                            : errno;
  posix_spawn_file_actions_destroy(&actions);
  for (const int fd : child_ends) ::close(fd);
  if (spawned == 0) return std::make_unique<PosixChildProcess>(pid, out, err);
  for (const int fd : {out, err})
    if (fd >= 0) ::close(fd);
  *error = "cannot start " + argv.front() + ": " + std::strerror(spawned);
  return nullptr;
}

std::unique_ptr<ChildProcess> ChildProcess::Fork(const std::function<int()>& body,
                                                 std::string* error) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    *error = std::string("cannot make a pipe: ") + std::strerror(errno);
    return nullptr;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);  // the copy is not closed on exec
    ::_exit(body());
  }
  const int fork_error = errno;
  ::close(out[1]);
  if (pid > 0) return std::make_unique<PosixChildProcess>(pid, out[0], -1);
  ::close(out[0]);
  *error = std::string("cannot fork: ") + std::strerror(fork_error);
  return nullptr;
}

}  // namespace fennimar::testing
