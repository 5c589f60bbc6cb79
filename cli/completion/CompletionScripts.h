// CompletionScripts - the completion script of each shell, written from the
// command's grammar (CompletionModel). `fennimar completion SHELL` prints
// them; the build installs what it prints.
#ifndef FENNIMAR_CLI_COMPLETION_COMPLETIONSCRIPTS_H_
#define FENNIMAR_CLI_COMPLETION_COMPLETIONSCRIPTS_H_

#include <string>
#include <vector>

#include "cli/completion/CompletionModel.h"

namespace fennimar::cli {

// For bash-completion's completions folder (uses its _init_completion).
std::string BashCompletion(const std::vector<CompletedCommand>& commands);
// For a folder on zsh's fpath, as the file "_fennimar".
std::string ZshCompletion(const std::vector<CompletedCommand>& commands);
// For fish's vendor_completions.d, as "fennimar.fish".
std::string FishCompletion(const std::vector<CompletedCommand>& commands);

// Words joined with single spaces.
std::string SpaceJoined(const std::vector<std::string>& words);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_COMPLETION_COMPLETIONSCRIPTS_H_
