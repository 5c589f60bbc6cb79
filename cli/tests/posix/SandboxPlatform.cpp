// The sandbox on Linux: mkdtemp, XDG_CONFIG_HOME and HOME, fork and exec.
#include "cli/tests/SandboxPlatform.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace fennimar::cli::test {
namespace {

// Sanitizer settings pass through, so that the children report as the tests do.
constexpr const char* kPassedThrough[] = {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"};

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (auto& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: standard streams from and to the files, then the program.
[[noreturn]] void Exec(std::vector<std::string> args, std::vector<std::string> env,
                       const std::string& in, const std::string& out, const std::string& err) {
  const int in_fd = open(in.c_str(), O_RDONLY);
  const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in_fd < 0 || out_fd < 0 || err_fd < 0) _exit(126);
  if (dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0) _exit(126);
  auto argv = Pointers(args);
  auto envp = Pointers(env);
  execve(argv[0], argv.data(), envp.data());
  _exit(127);
}

}  // namespace

std::string MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fennimar-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::vector<std::string> ProgramFiles() { return {"fennimar"}; }

std::filesystem::path BuiltProgramFolder() {
  return std::filesystem::path(FENNIMAR_CLI_PROGRAM).parent_path();
}

// Exactly these variables: nothing of the caller's home leaks in.
std::vector<std::string> HomeEnvironment(const std::string& root, const std::string& config) {
  std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config, "HOME=" + root + "/home",
                                  "PATH=/usr/bin:/bin"};
  for (const char* name : kPassedThrough) {
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  }
  return env;
}

void CleanUpHome(const std::string&) {}

int RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               const std::string& in, const std::string& out, const std::string& err) {
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) Exec(argv, env, in, out, err);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) continue;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace fennimar::cli::test
