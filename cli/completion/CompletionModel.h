// CompletionModel - the command's grammar as the shell completions need it,
// read from the argument parser itself: every command with its verbs, its
// options (its own and those of the commands above it, which may follow it),
// its positional arguments, and what each value completes to. The scripts
// for bash, zsh and fish are written from this one model, so that they name
// exactly what the parser accepts.
#ifndef FENNIMAR_CLI_COMPLETION_COMPLETIONMODEL_H_
#define FENNIMAR_CLI_COMPLETION_COMPLETIONMODEL_H_

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace fennimar::cli {

// What a value completes to: nothing (free text), a file, a folder, one of
// `words`, or one of `words` followed by '=' (NAME=VALUE arguments).
enum class ValueKind { kText, kFile, kFolder, kWords, kAssignments };

struct CompletedValue {
  ValueKind kind = ValueKind::kText;
  std::vector<std::string> words;
};

struct CompletedOption {
  std::string name;  // "--document"
  std::string description;
  bool takes_value = false;
  CompletedValue value;
};

struct CompletedPositional {
  std::string name;  // "NAME=VALUE"
  std::string description;
  bool repeats = false;  // takes every further argument
  CompletedValue value;
};

struct CompletedCommand {
  std::vector<std::string> path;  // {"fennimar", "apps", "add"}
  std::string description;
  std::vector<std::string> verbs;  // the visible subcommands' names
  std::vector<CompletedOption> options;  // own, then inherited ones
  std::vector<CompletedPositional> positionals;
};

// Every visible command, the program itself first, parents before children.
std::vector<CompletedCommand> ReadCompletionModel(const CLI::App& program);

// "fennimar apps add": the path joined with spaces.
std::string JoinedPath(const CompletedCommand& command);

// The option named `name` of the first command that has it; null if none has.
const CompletedOption* FindOption(const std::vector<CompletedCommand>& commands,
                                  const std::string& name);

// Every option that takes a value, anywhere in the program.
std::vector<std::string> OptionsTakingValues(const std::vector<CompletedCommand>& commands);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_COMPLETION_COMPLETIONMODEL_H_
