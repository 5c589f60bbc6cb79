// apps: the applications the bar launches. `apps` lists them, `apps add`
// appends one, `apps remove PATH` removes the first one with that path.
#include <cstddef>
#include <memory>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Readers.h"
#include "cli/RecordText.h"
#include "cli/Records.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

struct AddArguments {
  std::string key;
  std::string path;
  std::string parameter;
  std::string description;
};

void ShowApps(Context& context) {
  Session session(context.options);
  const auto items = ReadApps(session);
  if (context.options.json) return PrintJson(Json{{"apps", AppsToJson(items)}});
  PrintAppsTable(items);
}

void AddApp(Context& context, const AddArguments& arguments) {
  Session session(context.options);
  session.HoldForChange();
  _Fennimar_AppItem_ item{U16(arguments.key), U16(arguments.path), U16(arguments.parameter),
                          U16(arguments.description)};
  const auto code = session.library().AddAppItem(item);
  if (code == RC_LIST_FULL) {
    Fail(Exit::kLimit,
         WithRc("cannot add " + arguments.path + ": the application list already holds " +
                    std::to_string(FennimarRules::MaxApplications()) + " items",
                code));
  }
  session.CheckSection(kAppListSection, code);
}

// The library compares the path in the form it stores values in (no control
// characters, no lone surrogates), so the list is asked whether one went
// rather than compared here.
void RemoveApp(Context& context, const std::string& path) {
  Session session(context.options);
  session.HoldForChange();
  const std::size_t before = ReadApps(session).size();
  CString wanted = U16(path);
  session.CheckSection(kAppListSection, session.library().DeleteAppItem(wanted));
  if (ReadApps(session).size() == before) {
    Fail(Exit::kNotFound, "no application with the path " + path + " in " + session.document());
  }
}

}  // namespace

void AddAppsCommand(CLI::App& app, Context& context) {
  CLI::App* apps = AddCommand(
      app, context, "apps", "List the applications the bar launches",
      [&context] { ShowApps(context); },
      "JSON: {\"apps\": [{\"key\", \"path\", \"parameter\", "
      "\"descriptionName\"}]}");

  auto add_arguments = std::make_shared<AddArguments>();
  CLI::App* add = AddCommand(
      *apps, context, "add",
      "Append an application (at most " + std::to_string(FennimarRules::MaxApplications()) + ")",
      [&context, add_arguments] { AddApp(context, *add_arguments); });
  add->add_option("--key", add_arguments->key, "Its key (any text)")->required()->type_name("K");
  add->add_option("--path", add_arguments->path, "The program to launch")
      ->required()
      ->type_name("P");
  add->add_option("--parameter", add_arguments->parameter, "Arguments for the program")
      ->type_name("X");
  add->add_option("--description", add_arguments->description, "The name the bar shows")
      ->type_name("D");

  auto path = std::make_shared<std::string>();
  CLI::App* remove =
      AddCommand(*apps, context, "remove", "Remove the first application with this exact path",
                 [&context, path] { RemoveApp(context, *path); });
  remove->add_option("PATH", *path, "The application's path (case-sensitive)")->required();
}

}  // namespace fennimar::cli
