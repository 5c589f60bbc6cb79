#include "cli/tests/CliSandbox.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "cli/tests/SandboxPlatform.h"
#include "tests/support/ChildProcess.h"

namespace fennimar::cli::test {
namespace fs = std::filesystem;

namespace {

constexpr int kRemoveAttempts = 100;

fs::path Native(const std::string& utf8) { return fs::u8path(utf8).make_preferred(); }

}  // namespace

std::string ReadText(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(Native(path).parent_path());
  std::ofstream(Native(path), std::ios::binary | std::ios::trunc) << text;
}

CliSandbox::CliSandbox() : root_(MakeTemporaryFolder()) {
  fs::create_directories(Native(program_folder()));
  fs::create_directories(Native(Path("home")));
  for (const std::string& file : ProgramFiles()) {
    fs::copy_file(BuiltProgramFolder() / file, Native(program_folder()) / file);
  }
  fs::copy_file(BuiltProgramFolder() / "Fennimar.xml", Native(program_folder()) / "Fennimar.xml");
}

CliSandbox::~CliSandbox() {
  CleanUpHome(root_);
  std::error_code ignored;
  fs::permissions(Native(root_), fs::perms::owner_all, fs::perm_options::add, ignored);
  // Under Wine the standard streams' files of a program that has just ended
  // stay open for up to a second longer.
  for (int attempt = 0; attempt < kRemoveAttempts; ++attempt) {
    fs::remove_all(Native(root_), ignored);
    if (!fs::exists(Native(root_), ignored)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string CliSandbox::Path(const std::string& relative) const {
  return (Native(root_) / Native(relative)).u8string();
}

RunResult CliSandbox::Run(const std::vector<std::string>& args, const std::string& input,
                          const std::vector<std::string>& extra_env) const {
  const std::string in = Path("stdin"), out = Path("stdout"), err = Path("stderr");
  WriteText(in, input);
  std::vector<std::string> argv = {(Native(program_folder()) / ProgramFiles().front()).u8string()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = HomeEnvironment(root_, config());
  env.insert(env.end(), extra_env.begin(), extra_env.end());
  fennimar::testing::ChildOptions options{env, /*only_env=*/true, in, out, err};
  const auto ran = fennimar::testing::ChildProcess::Run(argv, options);
  if (!ran.failure.empty()) throw std::runtime_error(ran.failure);
  RunResult result;
  result.status = ran.status;
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}

}  // namespace fennimar::cli::test
