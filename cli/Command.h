// Command - how the command groups hook into the argument parser. Each group
// (apps, switches, ...) adds its noun and verbs to the parser; parsing only
// records which one was chosen, and main() runs it once parsing has
// succeeded, so that every failure is reported the same way.
#ifndef FENNIMAR_CLI_COMMAND_H_
#define FENNIMAR_CLI_COMMAND_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "cli/Session.h"

namespace fennimar::cli {

struct Context {
  GlobalOptions options;
  std::function<void()> action;  // the chosen command's work
};

// Adds a noun or verb to `parent`. `work` runs when it is the deepest command
// given ("apps" alone shows the list; "apps add" adds). `footer` is shown in
// its --help before the exit statuses.
CLI::App* AddCommand(CLI::App& parent, Context& context, const std::string& name,
                     const std::string& description, std::function<void()> work,
                     const std::string& footer = std::string());

// One function per command group, each in its own file.
void AddAppsCommand(CLI::App& app, Context& context);
void AddSwitchesCommand(CLI::App& app, Context& context);
void AddBackgroundCommand(CLI::App& app, Context& context);
void AddWorkspacesCommand(CLI::App& app, Context& context);
void AddWallpaperCommand(CLI::App& app, Context& context);
void AddFirstUseCommands(CLI::App& app, Context& context);  // first-use, reset
void AddHwFlagCommand(CLI::App& app, Context& context);
void AddPasswordCommand(CLI::App& app, Context& context);
void AddRegCommand(CLI::App& app, Context& context);
void AddDumpCommand(CLI::App& app, Context& context);
void AddLoadCommand(CLI::App& app, Context& context);
void AddWatchCommand(CLI::App& app, Context& context);
void AddCompletionCommand(CLI::App& app, Context& context);  // hidden
void AddRewriteCommand(CLI::App& app, Context& context);     // hidden

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_COMMAND_H_
