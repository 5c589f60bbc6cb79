#include "cli/tests/CliSandbox.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fennimar::cli::test {
namespace fs = std::filesystem;

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
[[noreturn]] void Exec(const std::string& program, std::vector<std::string> args,
                       std::vector<std::string> env, const std::string& in, const std::string& out,
                       const std::string& err) {
  const int in_fd = open(in.c_str(), O_RDONLY);
  const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (in_fd < 0 || out_fd < 0 || err_fd < 0) _exit(126);
  if (dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0) _exit(126);
  auto argv = Pointers(args);
  auto envp = Pointers(env);
  execve(program.c_str(), argv.data(), envp.data());
  _exit(127);
}

}  // namespace

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

CliSandbox::CliSandbox() {
  std::string pattern = (fs::temp_directory_path() / "fennimar-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  fs::create_directories(program_folder());
  fs::create_directories(root_ + "/home");
  fs::copy_file(FENNIMAR_CLI_PROGRAM, program_folder() + "/fennimar");
  fs::copy_file(FENNIMAR_CLI_TEMPLATE, program_folder() + "/Fennimar.xml");
}

CliSandbox::~CliSandbox() {
  std::error_code ignored;
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(root_, ignored);
}

std::vector<std::string> CliSandbox::Environment(const std::vector<std::string>& extra) const {
  std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config(), "HOME=" + root_ + "/home",
                                  "PATH=/usr/bin:/bin"};
  for (const char* name : kPassedThrough) {
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

RunResult CliSandbox::Run(const std::vector<std::string>& args, const std::string& input,
                          const std::vector<std::string>& extra_env) const {
  const std::string in = root_ + "/stdin", out = root_ + "/stdout", err = root_ + "/stderr";
  WriteText(in, input);
  const std::string program = program_folder() + "/fennimar";
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) Exec(program, argv, Environment(extra_env), in, out, err);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) continue;
  RunResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}

}  // namespace fennimar::cli::test
