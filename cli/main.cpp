// fennimar - looks at and changes the settings of the Fennimar launcher bar
// from a terminal or a script. Every setting goes through the library's
// FennimarDllInterface, exactly as a host program of the bar uses it; only
// `fennimar reg` works on the registry stand-in's file directly.
//
// Grammar: fennimar [OPTIONS] NOUN [VERB] [ARGUMENTS]; a noun alone shows.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/Process.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
  app.add_option("--document", options.document,
                 "The settings document (default: " + DefaultDocumentText() + ")")
      ->envname("FENNIMAR_DOCUMENT")
      ->type_name("PATH");
  app.add_option("--password-file", options.password_file,
                 "The password file (default: \"password\" beside the document)")
      ->type_name("PATH");
  app.add_flag("--json", options.json, "Print the result as one JSON object");
  app.set_version_flag("--version", "fennimar " FENNIMAR_VERSION);
}

void AddCommands(CLI::App& app, Context& context) {
  AddAppsCommand(app, context);
  AddSwitchesCommand(app, context);
  AddBackgroundCommand(app, context);
  AddWorkspacesCommand(app, context);
  AddWallpaperCommand(app, context);
  AddFirstUseCommands(app, context);
  AddHwFlagCommand(app, context);
  AddPasswordCommand(app, context);
  AddRegCommand(app, context);
  AddDumpCommand(app, context);
  AddLoadCommand(app, context);
  AddWatchCommand(app, context);
  AddCompletionCommand(app, context);
  AddRewriteCommand(app, context);
}

// The deepest command given: "fennimar apps add" gives the "add" command.
const CLI::App* ChosenCommand(const CLI::App& app) {
  const CLI::App* chosen = &app;
  while (!chosen->get_subcommands().empty()) chosen = chosen->get_subcommands().front();
  return chosen;
}

std::string CommandPath(const CLI::App* command) {
  std::string path;
  for (; command != nullptr; command = command->get_parent()) {
    path = command->get_name() + (path.empty() ? "" : " " + path);
  }
  return path;
}

std::vector<std::string> SubcommandNames(const CLI::App* command) {
  std::vector<std::string> names;
  for (const auto* sub : command->get_subcommands({})) {
    if (!sub->get_group().empty()) names.push_back(sub->get_name());  // hidden ones aside
  }
  return names;
}

// The command's own options, then those of the commands above it, which may
// be given after it too.
std::vector<std::string> OptionNames(const CLI::App* command) {
  std::vector<std::string> names;
  for (; command != nullptr; command = command->get_parent()) {
    for (const auto* option : command->get_options()) {
      if (option->get_lnames().empty()) continue;
      const std::string name = "--" + option->get_lnames().front();
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
  }
  return names;
}

bool LooksLikeOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && !ParseInt(argument);
}

// The parser keeps what it does not know; it is reported here, naming the
// valid choices at the place where it was given.
void CheckLeftovers(const CLI::App& app) {
  const auto leftovers = app.remaining();
  if (leftovers.empty()) return;
  const std::string& first = leftovers.front();
  const CLI::App* command = ChosenCommand(app);
  const std::string where = CommandPath(command);
  if (LooksLikeOption(first)) {
    Fail(Exit::kUsage, "unknown option '" + first + "' for " + where +
                           "; valid options: " + JoinNames(OptionNames(command)));
  }
  if (!command->get_subcommands({}).empty()) {
    Fail(Exit::kUsage, "unknown command '" + first + "' for " + where +
                           "; valid commands: " + JoinNames(SubcommandNames(command)));
  }
  Fail(Exit::kUsage, "unexpected argument '" + first + "' for " + where);
}

// Parses the arguments and runs the chosen command; every failure is thrown
// as a CliError.
int ParseAndRun(CLI::App& app, Context& context, int argc, char** argv) {
  PrepareProcess();
  const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
    // An unknown word explains a failure better than what it left missing.
    CheckLeftovers(app);
    Fail(Exit::kUsage, error.what());
  }
  CheckLeftovers(app);
  if (!context.action) {
    Fail(Exit::kUsage, "no command given; valid commands: " + JoinNames(SubcommandNames(&app)));
  }
  context.action();
  return static_cast<int>(Exit::kDone);
}

int Run(int argc, char** argv) {
  Context context;
  CLI::App app("Looks at and changes the settings of the Fennimar launcher bar.", "fennimar");
  app.allow_extras();
  app.fallthrough();
  // Paths such as /srv/a.png are arguments, never options, on Windows too.
  app.allow_windows_style_options(false);
  app.footer(std::string("Run fennimar COMMAND --help for each command.\n\n") + ExitStatusHelp());
  AddGlobalOptions(app, context.options);
  AddCommands(app, context);
  try {
    return ParseAndRun(app, context, argc, argv);
  } catch (const CliError& error) {
    std::cout.flush();
    std::cerr << "fennimar: error: " << error.what() << '\n';
    return static_cast<int>(error.exit());
  } catch (const std::exception& error) {
    std::cerr << "fennimar: error: " << error.what() << '\n';
    return static_cast<int>(Exit::kWrite);
  }
}

}  // namespace
}  // namespace fennimar::cli

int main(int argc, char** argv) { return fennimar::cli::Run(argc, argv); }
