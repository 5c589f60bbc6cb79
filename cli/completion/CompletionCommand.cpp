// completion: prints the completion script of a shell, written from the
// command's own definition. Hidden from the help; the build runs it to make
// the scripts it installs.
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/completion/CompletionScripts.h"

namespace fennimar::cli {
namespace {

void PrintCompletion(const CLI::App& program, const std::string& shell) {
  const auto commands = ReadCompletionModel(program);
  if (shell == "bash") {
    std::cout << BashCompletion(commands);
  } else if (shell == "zsh") {
    std::cout << ZshCompletion(commands);
  } else if (shell == "fish") {
    std::cout << FishCompletion(commands);
  } else {
    Fail(Exit::kUsage, "no completion for the shell '" + shell + "'; valid shells: bash, zsh, fish");
  }
}

}  // namespace

void AddCompletionCommand(CLI::App& app, Context& context) {
  auto shell = std::make_shared<std::string>();
  CLI::App* completion = AddCommand(app, context, "completion", "Print a shell's completion script",
                                    [&app, shell] { PrintCompletion(app, *shell); });
  completion->group("");  // not listed in the help
  completion->add_option("SHELL", *shell, "bash, zsh or fish")->required();
}

}  // namespace fennimar::cli
