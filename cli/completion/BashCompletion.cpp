// The bash script: a fixed walk over the words typed so far (which command,
// how many positional arguments), then generated tables of each command's
// verbs, options and positional arguments.
#include <sstream>

#include "cli/completion/CompletionScripts.h"

namespace fennimar::cli {
namespace {

constexpr const char* kWalk = R"script(
_fennimar() {
  local cur prev words cword split
  _init_completion -s -n = || return

  # The command given so far, and how many positional arguments follow it.
  local i command=fennimar positional=0
  for ((i = 1; i < cword; i++)); do
    if _fennimar_takes_value "${words[i]}"; then
      ((i++))
    elif [[ ${words[i]} != -* ]]; then
      if ((positional == 0)) && [[ " $(_fennimar_verbs "$command") " == *" ${words[i]} "* ]]; then
        command+=" ${words[i]}"
      else
        ((positional++))
      fi
    fi
  done

  if _fennimar_takes_value "$prev"; then
    _fennimar_value "$prev"
    return
  fi
  [[ $split == true ]] && return
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_fennimar_options "$command")" -- "$cur"))
    return
  fi
  local verbs
  verbs=$(_fennimar_verbs "$command")
  if [[ -n $verbs ]] && ((positional == 0)); then
    COMPREPLY=($(compgen -W "$verbs" -- "$cur"))
    return
  fi
  _fennimar_positional "$command" "$positional"
} &&
  complete -F _fennimar fennimar
)script";

// The shell code that completes `value` from $cur.
std::string Completer(const CompletedValue& value) {
  switch (value.kind) {
    case ValueKind::kFile:
      return "_filedir";
    case ValueKind::kFolder:
      return "_filedir -d";
    case ValueKind::kWords:
      return "COMPREPLY=($(compgen -W \"" + SpaceJoined(value.words) + "\" -- \"$cur\"))";
    case ValueKind::kAssignments:
      return "COMPREPLY=($(compgen -S = -W \"" + SpaceJoined(value.words) +
             "\" -- \"$cur\")); compopt -o nospace";
    case ValueKind::kText:
      break;
  }
  return ":";
}

void WriteTakesValue(std::ostream& out, const std::vector<CompletedCommand>& commands) {
  out << "_fennimar_takes_value() {\n  case $1 in\n";
  for (const auto& name : OptionsTakingValues(commands)) out << "    " << name << ") return 0 ;;\n";
  out << "  esac\n  return 1\n}\n\n";
}

// Each option's value as the first command that has the option describes it.
void WriteValues(std::ostream& out, const std::vector<CompletedCommand>& commands) {
  out << "_fennimar_value() {\n  case $1 in\n";
  for (const auto& name : OptionsTakingValues(commands)) {
    out << "    " << name << ") " << Completer(FindOption(commands, name)->value) << " ;;\n";
  }
  out << "  esac\n}\n\n";
}

void WriteVerbsAndOptions(std::ostream& out, const std::vector<CompletedCommand>& commands) {
  out << "_fennimar_verbs() {\n  case $1 in\n";
  for (const auto& command : commands) {
    if (command.verbs.empty()) continue;
    out << "    \"" << JoinedPath(command) << "\") echo \"" << SpaceJoined(command.verbs)
        << "\" ;;\n";
  }
  out << "  esac\n}\n\n_fennimar_options() {\n  case $1 in\n";
  for (const auto& command : commands) {
    std::vector<std::string> names;
    for (const auto& option : command.options) names.push_back(option.name);
    out << "    \"" << JoinedPath(command) << "\") echo \"" << SpaceJoined(names) << "\" ;;\n";
  }
  out << "  esac\n}\n\n";
}

void WritePositionals(std::ostream& out, const std::vector<CompletedCommand>& commands) {
  out << "_fennimar_positional() {\n  case $1 in\n";
  for (const auto& command : commands) {
    if (command.positionals.empty()) continue;
    out << "    \"" << JoinedPath(command) << "\")\n";
    for (std::size_t i = 0; i < command.positionals.size(); ++i) {
      const auto& positional = command.positionals[i];
      out << "      " << (i == 0 ? "if" : "elif") << " (($2 " << (positional.repeats ? ">=" : "==")
          << " " << i << ")); then " << Completer(positional.value) << "\n";
    }
    out << "      fi\n      ;;\n";
  }
  out << "  esac\n}\n";
}

}  // namespace

std::string BashCompletion(const std::vector<CompletedCommand>& commands) {
  std::ostringstream out;
  out << "# bash completion for fennimar(1), written by `fennimar completion bash`\n"
         "# from the command's own definition.\n\n";
  WriteTakesValue(out, commands);
  WriteValues(out, commands);
  WriteVerbsAndOptions(out, commands);
  WritePositionals(out, commands);
  out << kWalk;
  return out.str();
}

std::string SpaceJoined(const std::vector<std::string>& words) {
  std::string joined;
  for (const auto& word : words) joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

}  // namespace fennimar::cli
