// fennimar - looks at and changes the settings of the Fennimar launcher bar
// from a terminal or a script. Every setting goes through the library's
// FennimarDllInterface, exactly as a host program of the bar uses it; only
// `fennimar reg` works on the registry stand-in's file directly.
//
// Grammar: fennimar [OPTIONS] NOUN [VERB] [ARGUMENTS]; a noun alone shows.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cassert>
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

// Each command group with the nouns it adds to the top level, in the order
// of the help. Building the parser for every command costs a process more
// than the work of most commands, so a run names its noun and only that
// group is built (see NounToBuild).
struct CommandGroup {
  const char* nouns[2];
  void (*add)(CLI::App& app, Context& context);
};
constexpr CommandGroup kCommandGroups[] = {
    {{"apps"}, AddAppsCommand},
    {{"switches"}, AddSwitchesCommand},
    {{"background"}, AddBackgroundCommand},
    {{"workspaces"}, AddWorkspacesCommand},
    {{"wallpaper"}, AddWallpaperCommand},
    {{"first-use", "reset"}, AddFirstUseCommands},
    {{"hw-flag"}, AddHwFlagCommand},
    {{"password"}, AddPasswordCommand},
    {{"reg"}, AddRegCommand},
    {{"dump"}, AddDumpCommand},
    {{"load"}, AddLoadCommand},
    {{"watch"}, AddWatchCommand},
    {{"completion"}, AddCompletionCommand},
    {{"rewrite"}, AddRewriteCommand},
};

const CommandGroup* GroupOf(const std::string& word) {
  for (const CommandGroup& group : kCommandGroups) {
    for (const char* noun : group.nouns) {
      if (noun != nullptr && word == noun) return &group;
    }
  }
  return nullptr;
}

// The group to build alone for these arguments, or null to build them all.
// Only one group is built when the parse cannot tell the difference: the
// first word that is not a global option (or its value) is a noun, no other
// word names a noun, and the noun is not `completion`, which describes every
// command. Help of the whole program, version, unknown words and options
// before the noun all build every group, so their output stays the same.
const CommandGroup* NounToBuild(const std::vector<std::string>& arguments) {
  std::size_t at = 1;
  while (at < arguments.size()) {
    const std::string& word = arguments[at];
    if (word == "--document" || word == "--password-file") {
      at += 2;
    } else if (word == "--json" || word.rfind("--document=", 0) == 0 ||
               word.rfind("--password-file=", 0) == 0) {
      at += 1;
    } else {
      break;
    }
  }
  if (at >= arguments.size()) return nullptr;
  const CommandGroup* group = GroupOf(arguments[at]);
  if (group == nullptr || group->add == AddCompletionCommand) return nullptr;
  for (std::size_t other = at + 1; other < arguments.size(); ++other) {
    if (GroupOf(arguments[other]) != nullptr) return nullptr;
  }
  return group;
}

// Whether `app` has exactly the nouns of kCommandGroups; the table and the
// command files must agree, which every debug run of the full parser checks.
[[maybe_unused]] bool TableMatches(const CLI::App& app) {
  std::vector<std::string> table, built;
  for (const CommandGroup& group : kCommandGroups) {
    for (const char* noun : group.nouns) {
      if (noun != nullptr) table.push_back(noun);
    }
  }
  for (const CLI::App* noun : app.get_subcommands({})) built.push_back(noun->get_name());
  std::sort(table.begin(), table.end());
  std::sort(built.begin(), built.end());
  return table == built;
}

void AddCommands(CLI::App& app, Context& context, const CommandGroup* only) {
  if (only != nullptr) {
    only->add(app, context);
    return;
  }
  for (const CommandGroup& group : kCommandGroups) group.add(app, context);
  assert(TableMatches(app));
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
int ParseAndRun(CLI::App& app, Context& context, const std::vector<std::string>& arguments) {
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
  app.footer("Run fennimar COMMAND --help for each command.\n\n" + ExitStatusHelp());
  AddGlobalOptions(app, context.options);
  try {
    PrepareProcess();
    const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    AddCommands(app, context, NounToBuild(arguments));
    return ParseAndRun(app, context, arguments);
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
