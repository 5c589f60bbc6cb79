// workspaces: the bar's workspaces (virtual desktops). `workspaces` lists
// them, `workspaces set KEY FIELD=VALUE...` changes fields of one of them.
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

struct SetArguments {
  std::string key;
  std::vector<std::string> assignments;
};

void ShowWorkspaces(Context& context) {
  Session session(context.options);
  const auto workspaces = ReadWorkspaces(session);
  if (context.options.json) return PrintJson(Json{{"workspaces", WorkspacesToJson(workspaces)}});
  PrintWorkspacesTable(workspaces);
}

// The list is read, the one record changed, and the whole list written back,
// as the library's writer takes it.
void SetWorkspace(Context& context, const SetArguments& arguments) {
  const int key = ParseIntOrFail(arguments.key, "KEY");
  std::vector<std::pair<const WorkspaceField*, std::string>> changes;
  _VDESKTOPINFO_ scratch;  // checks every value before the document is opened
  for (const auto& assignment : arguments.assignments) {
    const auto [name, value] = SplitAssignment(assignment);
    const WorkspaceField& field = FindWorkspaceField(name);
    SetWorkspaceField(field, value, scratch);
    changes.emplace_back(&field, value);
  }
  Session session(context.options);
  session.HoldForChange();
  auto workspaces = FennimarRules::PlaceWorkspacesByKey(ReadWorkspaces(session));
  auto& workspace = workspaces[WorkspacePosition(workspaces, key)];
  for (const auto& [field, value] : changes) SetWorkspaceField(*field, value, workspace);
  session.CheckSection(kWorkspaceSection, session.library().SetWorkspcaeConfig(workspaces));
}

}  // namespace

void AddWorkspacesCommand(CLI::App& app, Context& context) {
  CLI::App* workspaces = AddCommand(
      app, context, "workspaces", "List the workspaces", [&context] { ShowWorkspaces(context); },
      "JSON: {\"workspaces\": [{\"key\", \"name\", \"styleID\", \"mouseStyle\", "
      "\"emRecylePath\", \"fuRecylePath\", \"mouseNo\", \"recyleNo\", \"useTarsel\"}]}");
  auto arguments = std::make_shared<SetArguments>();
  CLI::App* set = AddCommand(
      *workspaces, context, "set", "Change fields of the workspace numbered KEY",
      [&context, arguments] { SetWorkspace(context, *arguments); },
      "Fields: name, style-id, mouse-style, em-recyle-path, fu-recyle-path, mouse-no,\n"
      "recyle-no, use-tarsel (style-id and the -no fields and use-tarsel are integers).\n"
      "Example: fennimar workspaces set 2 name=Office style-id=5");
  set->add_option("KEY", arguments->key, "The workspace's number, counted from 1")->required();
  set->add_option("FIELD=VALUE", arguments->assignments, "The fields to change")->required();
}

}  // namespace fennimar::cli
