// The zsh script: one function per command, each an _arguments call with
// the command's options and positional arguments; a command with verbs hands
// the rest of the line to the chosen verb's function.
#include <algorithm>
#include <sstream>

#include "cli/completion/CompletionScripts.h"

namespace fennimar::cli {
namespace {

// Text inside single quotes: each quote closed, escaped and reopened; the
// characters in `special` escaped with a backslash.
std::string Quoted(const std::string& text, const std::string& special = "[]:\\") {
  std::string quoted;
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      if (special.find(c) != std::string::npos) quoted += '\\';
      quoted += c;
    }
  }
  return quoted;
}

std::string FunctionName(const CompletedCommand& command) {
  std::string name = "_fennimar_command";
  for (std::size_t i = 1; i < command.path.size(); ++i) name += "_" + command.path[i];
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

std::string Action(const CompletedValue& value) {
  switch (value.kind) {
    case ValueKind::kFile:
      return "_files";
    case ValueKind::kFolder:
      return "_files -/";
    case ValueKind::kWords:
      return "(" + SpaceJoined(value.words) + ")";
    case ValueKind::kAssignments:
      return "{compadd -S = -- " + SpaceJoined(value.words) + "}";
    case ValueKind::kText:
      break;
  }
  return " ";
}

void WriteSpecs(std::ostream& out, const CompletedCommand& command) {
  for (const auto& option : command.options) {
    out << " \\\n    '" << option.name << (option.takes_value ? "=" : "") << "["
        << Quoted(option.description) << "]";
    if (option.takes_value) {
      out << ":" << Quoted(option.name.substr(2)) << ":" << Quoted(Action(option.value));
    }
    out << "'";
  }
  if (!command.verbs.empty()) {
    out << " \\\n    '1: :->verbs' \\\n    '*:: :->verb'";
    return;
  }
  for (std::size_t i = 0; i < command.positionals.size(); ++i) {
    const auto& positional = command.positionals[i];
    out << " \\\n    '" << (positional.repeats ? std::string("*") : std::to_string(i + 1)) << ":"
        << Quoted(positional.name) << ":" << Quoted(Action(positional.value)) << "'";
  }
}

void WriteVerbDispatch(std::ostream& out, const CompletedCommand& command,
                       const std::vector<CompletedCommand>& commands) {
  out << "  case $state in\n    verbs)\n      local -a verbs=(";
  for (const auto& other : commands) {
    if (other.path.size() != command.path.size() + 1 ||
        !std::equal(command.path.begin(), command.path.end(), other.path.begin())) {
      continue;
    }
    out << "\n        '" << Quoted(other.path.back()) << ":" << Quoted(other.description, "") << "'";
  }
  out << ")\n      _describe -t commands '" << JoinedPath(command) << " command' verbs\n      ;;\n"
      << "    verb)\n      case $words[1] in\n";
  for (const auto& verb : command.verbs) {
    CompletedCommand child = command;
    child.path.push_back(verb);
    out << "        " << verb << ") " << FunctionName(child) << " ;;\n";
  }
  out << "      esac\n      ;;\n  esac\n";
}

void WriteFunction(std::ostream& out, const CompletedCommand& command,
                   const std::vector<CompletedCommand>& commands) {
  out << FunctionName(command) << "() {\n"
      << "  local curcontext=\"$curcontext\" context state state_descr line\n"
      << "  typeset -A opt_args\n"
      << "  _arguments -C";
  WriteSpecs(out, command);
  out << "\n";
  if (!command.verbs.empty()) WriteVerbDispatch(out, command, commands);
  out << "}\n\n";
}

}  // namespace

std::string ZshCompletion(const std::vector<CompletedCommand>& commands) {
  std::ostringstream out;
  out << "#compdef fennimar\n"
         "# zsh completion for fennimar(1), written by `fennimar completion zsh`\n"
         "# from the command's own definition.\n\n";
  for (const auto& command : commands) WriteFunction(out, command, commands);
  out << "_fennimar_command \"$@\"\n";
  return out.str();
}

}  // namespace fennimar::cli
