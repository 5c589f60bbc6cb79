#include "cli/completion/CompletionModel.h"

#include <algorithm>
#include <utility>

#include "cli/Records.h"

namespace fennimar::cli {
namespace {

// Values that name files or folders, by the argument's name wherever it occurs.
ValueKind KindByName(const std::string& name) {
  static const std::vector<std::pair<std::string, ValueKind>> kinds = {
      {"--document", ValueKind::kFile}, {"--password-file", ValueKind::kFile},
      {"--path", ValueKind::kFile},     {"PATH", ValueKind::kFile},
      {"FILE", ValueKind::kFile},       {"--folder", ValueKind::kFolder}};
  for (const auto& [known, kind] : kinds) {
    if (known == name) return kind;
  }
  return ValueKind::kText;
}

std::vector<std::string> SwitchNames() {
  std::vector<std::string> names;
  for (const auto& field : SwitchFields()) names.emplace_back(field.cli_name);
  return names;
}

std::vector<std::string> WorkspaceFieldNames() {
  std::vector<std::string> names;
  for (const auto& field : WorkspaceFields()) names.emplace_back(field.cli_name);
  return names;
}

// Values drawn from a list: the switch and workspace field names come from
// the tables the commands parse them with.
CompletedValue ValueOf(const std::string& command, const std::string& name) {
  if (name == "--type") return {ValueKind::kWords, {"REG_SZ", "REG_DWORD", "REG_BINARY"}};
  if (command == "fennimar switches get" && name == "NAME") {
    return {ValueKind::kWords, SwitchNames()};
  }
  if (command == "fennimar switches set" && name == "NAME=VALUE") {
    return {ValueKind::kAssignments, SwitchNames()};
  }
  if (command == "fennimar workspaces set" && name == "FIELD=VALUE") {
    return {ValueKind::kAssignments, WorkspaceFieldNames()};
  }
  return {KindByName(name), {}};
}

bool Visible(const CLI::App* command) { return !command->get_group().empty(); }

std::vector<std::string> PathOf(const CLI::App* command) {
  std::vector<std::string> path;
  for (; command != nullptr; command = command->get_parent()) {
    path.insert(path.begin(), command->get_name());
  }
  return path;
}

void AddOptions(const CLI::App& source, const std::string& where,
                std::vector<CompletedOption>& options) {
  for (const CLI::Option* option : source.get_options()) {
    if (option->get_lnames().empty()) continue;
    CompletedOption completed;
    completed.name = "--" + option->get_lnames().front();
    const bool known = std::any_of(options.begin(), options.end(),
                                   [&](const auto& other) { return other.name == completed.name; });
    if (known) continue;
    completed.description = option->get_description();
    completed.takes_value = option->get_expected_max() > 0;  // flags expect none
    if (completed.takes_value) completed.value = ValueOf(where, completed.name);
    options.push_back(std::move(completed));
  }
}

CompletedCommand ReadCommand(const CLI::App& command) {
  CompletedCommand completed;
  completed.path = PathOf(&command);
  completed.description = command.get_description();
  const std::string where = JoinedPath(completed);
  for (const CLI::App* verb : command.get_subcommands({})) {
    if (Visible(verb)) completed.verbs.push_back(verb->get_name());
  }
  for (const CLI::App* source = &command; source != nullptr; source = source->get_parent()) {
    AddOptions(*source, where, completed.options);
  }
  for (const CLI::Option* option : command.get_options()) {
    if (!option->get_positional() || !option->get_lnames().empty()) continue;
    CompletedPositional positional;
    positional.name = option->get_name();
    positional.description = option->get_description();
    positional.repeats = option->get_items_expected_max() > 1;
    positional.value = ValueOf(where, positional.name);
    completed.positionals.push_back(std::move(positional));
  }
  return completed;
}

void ReadTree(const CLI::App& command, std::vector<CompletedCommand>& commands) {
  commands.push_back(ReadCommand(command));
  for (const CLI::App* verb : command.get_subcommands({})) {
    if (Visible(verb)) ReadTree(*verb, commands);
  }
}

}  // namespace

std::vector<CompletedCommand> ReadCompletionModel(const CLI::App& program) {
  std::vector<CompletedCommand> commands;
  ReadTree(program, commands);
  return commands;
}

std::string JoinedPath(const CompletedCommand& command) {
  std::string joined;
  for (const auto& word : command.path) joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

const CompletedOption* FindOption(const std::vector<CompletedCommand>& commands,
                                  const std::string& name) {
  for (const auto& command : commands) {
    for (const auto& option : command.options) {
      if (option.name == name) return &option;
    }
  }
  return nullptr;
}

std::vector<std::string> OptionsTakingValues(const std::vector<CompletedCommand>& commands) {
  std::vector<std::string> names;
  for (const auto& command : commands) {
    for (const auto& option : command.options) {
      if (option.takes_value && std::find(names.begin(), names.end(), option.name) == names.end()) {
        names.push_back(option.name);
      }
    }
  }
  return names;
}

}  // namespace fennimar::cli
