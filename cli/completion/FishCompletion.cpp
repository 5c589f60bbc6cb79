// The fish script: a function that walks the words typed so far (which
// command, how many positional arguments), then one `complete` rule per
// verb, option and positional argument, each guarded by that walk.
#include <algorithm>
#include <sstream>

#include "cli/completion/CompletionScripts.h"

namespace fennimar::cli {
namespace {

constexpr const char* kWalk = R"script(
# Prints the command given so far ("fennimar apps add") and how many
# positional arguments follow it.
function __fennimar_state
    set -l command fennimar
    set -l positional 0
    set -l skip 0
    for word in (commandline -opc)[2..-1]
        if test $skip = 1
            set skip 0
        else if __fennimar_takes_value $word
            set skip 1
        else if not string match -q -- '-*' $word
            if test $positional = 0; and contains -- $word (__fennimar_verbs $command)
                set command "$command $word"
            else
                set positional (math $positional + 1)
            end
        end
    end
    echo $command
    echo $positional
end

# True when the command given is $argv[1]; with $argv[2], also when the word
# being completed is positional argument $argv[2] (counted from 0), or any
# after it with $argv[3] = more.
function __fennimar_at
    set -l state (__fennimar_state)
    test "$state[1]" = "$argv[1]"; or return 1
    set -q argv[2]; or return 0
    string match -q -- '-*' (commandline -ct); and return 1
    test "$state[2]" = "$argv[2]"; and return 0
    set -q argv[3]; and test "$state[2]" -gt "$argv[2]"
end

# Files are completed only where a file is expected.
complete -c fennimar -f
)script";

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "'";
}

// The arguments of `complete` that offer `value`.
std::string Offer(const CompletedValue& value) {
  switch (value.kind) {
    case ValueKind::kFile:
      return " -F";
    case ValueKind::kFolder:
      return " -a '(__fish_complete_directories (commandline -ct))'";
    case ValueKind::kWords:
      return " -a " + Quoted(SpaceJoined(value.words));
    case ValueKind::kAssignments: {
      std::vector<std::string> words;
      for (const auto& word : value.words) words.push_back(word + "=");
      return " -a " + Quoted(SpaceJoined(words));
    }
    case ValueKind::kText:
      break;
  }
  return "";
}

void WriteTables(std::ostream& out, const std::vector<CompletedCommand>& commands) {
  out << "function __fennimar_takes_value\n    contains -- $argv[1]";
  for (const auto& name : OptionsTakingValues(commands)) out << " " << name;
  out << "\nend\n\nfunction __fennimar_verbs\n    switch $argv[1]\n";
  for (const auto& command : commands) {
    if (command.verbs.empty()) continue;
    out << "        case " << Quoted(JoinedPath(command)) << "\n            printf '%s\\n' "
        << SpaceJoined(command.verbs) << "\n";
  }
  out << "    end\nend\n";
}

void WriteRules(std::ostream& out, const CompletedCommand& command,
                const std::vector<CompletedCommand>& commands) {
  out << "\n";
  for (const auto& other : commands) {
    if (other.path.size() != command.path.size() + 1 ||
        !std::equal(command.path.begin(), command.path.end(), other.path.begin())) {
      continue;
    }
    out << "complete -c fennimar -n " << Quoted("__fennimar_at '" + JoinedPath(command) + "' 0")
        << " -a " << other.path.back() << " -d " << Quoted(other.description) << "\n";
  }
  for (const auto& option : command.options) {
    out << "complete -c fennimar -n " << Quoted("__fennimar_at '" + JoinedPath(command) + "'")
        << " -l " << option.name.substr(2) << (option.takes_value ? " -r" : "")
        << Offer(option.value) << " -d " << Quoted(option.description) << "\n";
  }
  for (std::size_t i = 0; i < command.positionals.size(); ++i) {
    const auto& positional = command.positionals[i];
    if (positional.value.kind == ValueKind::kText) continue;
    out << "complete -c fennimar -n "
        << Quoted("__fennimar_at '" + JoinedPath(command) + "' " + std::to_string(i) +
                  (positional.repeats ? " more" : ""))
        << Offer(positional.value) << " -d " << Quoted(positional.name) << "\n";
  }
}

}  // namespace

std::string FishCompletion(const std::vector<CompletedCommand>& commands) {
  std::ostringstream out;
  out << "# fish completion for fennimar(1), written by `fennimar completion fish`\n"
         "# from the command's own definition.\n\n";
  WriteTables(out, commands);
  out << kWalk;
  for (const auto& command : commands) WriteRules(out, command, commands);
  return out.str();
}

}  // namespace fennimar::cli
