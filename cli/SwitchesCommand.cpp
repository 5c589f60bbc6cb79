// switches: the bar's four switches. `switches` shows them, `switches get
// NAME` shows one, `switches set NAME=VALUE...` changes only the named ones.
#include <memory>
#include <vector>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Readers.h"
#include "cli/RecordText.h"
#include "cli/Records.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

void ShowSwitches(Context& context) {
  Session session(context.options);
  const auto config = ReadSwitches(session);
  if (context.options.json) return PrintJson(ToJson(config));
  PrintSwitches(config);
}

void GetSwitch(Context& context, const std::string& name) {
  const SwitchField& field = FindSwitch(name);
  Session session(context.options);
  const auto config = ReadSwitches(session);
  if (context.options.json) return PrintJson(Json{{field.json_name, config.*field.member}});
  std::cout << config.*field.member << '\n';
}

// Every argument is checked before the document is opened; the switches not
// named keep the values just read.
void SetSwitches(Context& context, const std::vector<std::string>& assignments) {
  std::vector<std::pair<const SwitchField*, int>> changes;
  for (const auto& assignment : assignments) {
    const auto [name, value] = SplitAssignment(assignment);
    const SwitchField& field = FindSwitch(name);
    changes.emplace_back(&field, ParseIntOrFail(value, name));
  }
  Session session(context.options);
  session.HoldForChange();
  auto config = ReadSwitches(session);
  for (const auto& [field, value] : changes) config.*field->member = value;
  session.CheckSection(kGlobalSection, session.library().SetConfig(config));
}

}  // namespace

void AddSwitchesCommand(CLI::App& app, Context& context) {
  const std::string names = "Switches: launchcode, mouse-hook, sound-effect, light-effect.";
  CLI::App* switches = AddCommand(
      app, context, "switches", "Show the four switches", [&context] { ShowSwitches(context); },
      names + "\nJSON: {\"launchcode\", \"mouseHook\", \"soundEffect\", \"lightEffect\"}");

  auto name = std::make_shared<std::string>();
  CLI::App* get = AddCommand(
      *switches, context, "get", "Show one switch", [&context, name] { GetSwitch(context, *name); },
      names);
  get->add_option("NAME", *name, "The switch")->required();

  auto assignments = std::make_shared<std::vector<std::string>>();
  CLI::App* set = AddCommand(
      *switches, context, "set", "Change the named switches; the others keep their values",
      [&context, assignments] { SetSwitches(context, *assignments); },
      names +
          " Values are integers, stored as given.\n"
          "Example: fennimar switches set sound-effect=1 mouse-hook=0");
  set->add_option("NAME=VALUE", *assignments, "The switches to change")->required();
}

}  // namespace fennimar::cli
