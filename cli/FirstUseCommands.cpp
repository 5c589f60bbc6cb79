// first-use and reset: the registry's first-use flag. While it is not 0, a
// host that starts replaces the settings document with the template beside
// the program. `first-use` shows it, `first-use clear` clears it, and `reset`
// deliberately puts the template back.
#include <filesystem>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/Output.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"
#include "fennimar/Locations.h"
#include "src/common/Names.h"
#include "src/common/Utf.h"

namespace fennimar::cli {
namespace {

std::string FlagPlace() {
  return "HKEY_CURRENT_USER\\" + Utf16ToUtf8(names::kProductKey) + "\\" +
         Utf16ToUtf8(names::kIsFirstUse) + " " + InRegistry();
}

void ShowFirstUse(Context& context) {
  Session session(context.options);
  const auto& flag = session.first_use();
  if (!flag) {
    Fail(Exit::kNotFound,
         WithRc("cannot read the first-use flag " + FlagPlace(), session.first_use_result()));
  }
  if (context.options.json) return PrintJson(Json{{"firstUse", *flag}});
  std::cout << *flag << '\n';
}

void ClearFirstUse(Context& context) {
  Session session(context.options);
  const auto code = session.library().SetUsedStatus();
  if (code != RC_SUCCESS) Fail(Exit::kWrite, WithRc("cannot clear " + FlagPlace(), code));
}

// The flag is set so that constructing the interface installs the template,
// exactly as on a machine that has never seen the product; the session then
// clears the flag as every start does.
void Reset(Context& context) {
  const std::string template_path = U8(FennimarLocations::TemplateDocument());
  if (!std::filesystem::is_regular_file(FsPath(template_path))) {
    Fail(Exit::kDocument, "no template document " + template_path);
  }
  OpenRegistry()->SetFirstUseFlag();
  Session session(context.options);
  if (!session.DocumentLoaded()) {
    Fail(Exit::kDocument,
         WithRc("the template could not be installed as " + session.document(), RC_FAIL));
  }
}

}  // namespace

void AddFirstUseCommands(CLI::App& app, Context& context) {
  CLI::App* first_use = AddCommand(
      app, context, "first-use", "Show the first-use flag as it was when the command started",
      [&context] { ShowFirstUse(context); },
      "While the flag is not 0, every start of a host replaces the settings document\n"
      "with the template Fennimar.xml (beside the program, else in\n"
      "$XDG_DATA_DIRS/fennimar). fennimar is such a host: on\n"
      "starting it installs the template and then clears the flag, so that the\n"
      "document is kept from then on. This command shows the flag as it was found\n"
      "when it started (1 on the first run), not the cleared value.\n"
      "JSON: {\"firstUse\"}");
  AddCommand(*first_use, context, "clear", "Clear the first-use flag (keep the document)",
             [&context] { ClearFirstUse(context); });

  AddCommand(
      app, context, "reset", "Put the template settings document back",
      [&context] { Reset(context); },
      "Replaces the settings document with the template Fennimar.xml (beside the\n"
      "program, else in $XDG_DATA_DIRS/fennimar), as on the first use: the first-use flag is set "
      "to 1 in the registry,\n"
      "the document is opened (which installs the template) and the flag is cleared\n"
      "again. The wallpaper, HWinfo.ini and the password file are kept.");
}

}  // namespace fennimar::cli
