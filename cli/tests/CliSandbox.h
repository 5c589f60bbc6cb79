// CliSandbox - a temporary home for one test of the fennimar program: its own
// configuration folder, registry, and copies of the program and template (the
// program writes HWinfo.ini beside itself, so tests must not share a folder).
#ifndef FENNIMAR_CLI_TESTS_CLISANDBOX_H_
#define FENNIMAR_CLI_TESTS_CLISANDBOX_H_

#include <string>
#include <vector>

namespace fennimar::cli::test {

struct RunResult {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

class CliSandbox {
 public:
  CliSandbox();
  ~CliSandbox();
  CliSandbox(const CliSandbox&) = delete;
  CliSandbox& operator=(const CliSandbox&) = delete;

  // Runs `fennimar ARGS...` with `input` as its standard input (a file, so
  // never a terminal) and `extra_env` ("NAME=VALUE") added to the environment.
  RunResult Run(const std::vector<std::string>& args, const std::string& input = std::string(),
                const std::vector<std::string>& extra_env = {}) const;

  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const;
  std::string program_folder() const { return Path("bin"); }
  std::string config() const { return Path("config"); }
  std::string document() const { return Path("config/fennimar/Fennimar.xml"); }
  std::string password_file() const { return Path("config/fennimar/password"); }
  // The registry stand-in's file (Linux only).
  std::string hive() const { return Path("config/fennimar/HKEY_CURRENT_USER.reg"); }

 private:
  std::string root_;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_CLISANDBOX_H_
