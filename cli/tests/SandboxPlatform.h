// SandboxPlatform - what CliSandbox needs of the platform.
#ifndef FENNIMAR_CLI_TESTS_SANDBOXPLATFORM_H_
#define FENNIMAR_CLI_TESTS_SANDBOXPLATFORM_H_

#include <filesystem>
#include <string>
#include <vector>

namespace fennimar::cli::test {

std::string MakeTemporaryFolder();

// The file names of the program and of what must sit beside it to run, and
// the build's folder that holds them and the template document.
std::vector<std::string> ProgramFiles();
std::filesystem::path BuiltProgramFolder();

// "NAME=VALUE" settings that give the program the sandbox at `root` as its
// home, with its configuration folder `config`.
std::vector<std::string> HomeEnvironment(const std::string& root, const std::string& config);

// Removes what the program may have left outside the sandbox's folder.
void CleanUpHome(const std::string& root);

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_SANDBOXPLATFORM_H_
