// CliSandbox - a temporary home for one test of the fennimar program: its own
// XDG_CONFIG_HOME and HOME, and its own copies of the program and of the
// template document (the program writes HWinfo.ini beside itself, so tests
// must not share a program folder). Runs the program with exactly the
// environment it sets and captures what it prints.
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
  std::string program_folder() const { return root_ + "/bin"; }
  std::string config() const { return root_ + "/config"; }
  std::string document() const { return config() + "/fennimar/Fennimar.xml"; }
  std::string hive() const { return config() + "/fennimar/HKEY_CURRENT_USER.reg"; }
  std::string password_file() const { return config() + "/fennimar/password"; }

 private:
  std::vector<std::string> Environment(const std::vector<std::string>& extra) const;

  std::string root_;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_CLISANDBOX_H_
