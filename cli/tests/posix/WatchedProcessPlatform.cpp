// The watched child on Linux: fork and exec with pipes, poll with a deadline.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "cli/tests/WatchedProcess.h"

namespace fennimar::cli::test {
namespace {

constexpr int kSilenceMilliseconds = 60000;

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (auto& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

void MakePipe(int fds[2]) {
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
}

}  // namespace

struct WatchedProcess::Parts {
  pid_t child = -1;
  int out = -1;
  int err = -1;
  int status = -1;
  bool waited = false;
};

void WatchedProcess::Start(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env) {
  parts_ = new Parts();
  int out[2], err[2];
  MakePipe(out);
  MakePipe(err);
  std::vector<std::string> args = argv, environment = env;
  parts_->child = fork();
  if (parts_->child < 0) throw std::runtime_error("fork failed");
  if (parts_->child == 0) {
    const int in = open("/dev/null", O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0) _exit(126);
    execve(args[0].c_str(), Pointers(args).data(), Pointers(environment).data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  parts_->out = out[0];
  parts_->err = err[0];
}

WatchedProcess::~WatchedProcess() {
  if (!parts_) return;
  // SIGTERM ends it cleanly, so it removes its private folder.
  if (!parts_->waited) {
    kill(parts_->child, SIGTERM);
    Wait();
  }
  CloseOutput();
  close(parts_->err);
  delete parts_;
}

WatchedProcess::Read WatchedProcess::ReadMore(Stream stream, std::string& text) {
  const int fd = stream == Stream::kOutput ? parts_->out : parts_->err;
  pollfd ready = {fd, POLLIN, 0};
  int polled = 0;
  while ((polled = poll(&ready, 1, kSilenceMilliseconds)) < 0 && errno == EINTR) continue;
  if (polled == 0) return Read::kSilent;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) < 0 && errno == EINTR) continue;
  if (got <= 0) return Read::kEnd;
  text.append(buffer, static_cast<std::size_t>(got));
  return Read::kData;
}

void WatchedProcess::Interrupt() { kill(parts_->child, SIGINT); }

void WatchedProcess::CloseOutput() {
  if (parts_->out >= 0) close(parts_->out);
  parts_->out = -1;
}

int WatchedProcess::Wait() {
  if (parts_->waited) return parts_->status;
  int status = 0;
  while (waitpid(parts_->child, &status, 0) < 0 && errno == EINTR) continue;
  parts_->waited = true;
  parts_->status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return parts_->status;
}

}  // namespace fennimar::cli::test
