#include "cli/Command.h"

#include <utility>

#include "cli/Errors.h"

namespace fennimar::cli {

CLI::App* AddCommand(CLI::App& parent, Context& context, const std::string& name,
                     const std::string& description, std::function<void()> work,
                     const std::string& footer) {
  CLI::App* command = parent.add_subcommand(name, description);
  const std::string common =
      "Options of every command: --document PATH, --password-file PATH, --json.\n\n" +
      ExitStatusHelp();
  command->footer(footer.empty() ? common : footer + "\n\n" + common);
  // A noun's callback also runs after one of its verbs; only the deepest
  // command given does its work.
  command->callback([command, &context, work = std::move(work)] {
    if (command->get_subcommands().empty()) context.action = work;
  });
  return command;
}

}  // namespace fennimar::cli
