// The sandbox on Linux: mkdtemp, XDG_CONFIG_HOME and HOME.
#include "cli/tests/SandboxPlatform.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace fennimar::cli::test {
namespace {

// Sanitizer settings pass through, so that the children report as the tests do.
constexpr const char* kPassedThrough[] = {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"};

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

}  // namespace fennimar::cli::test
