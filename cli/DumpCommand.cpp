// dump: every setting at once (the password never, only whether its file
// exists). `dump --json` gives what `load` takes back.
#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Snapshot.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

void Dump(Context& context) {
  Session session(context.options);
  const Snapshot snapshot = TakeSnapshot(session);
  if (context.options.json) {
    PrintJson(ToJson(snapshot));
  } else {
    PrintSnapshot(snapshot);
  }
  // What could be read is shown; a missing section still fails the command.
  const auto missing = MissingSections(snapshot);
  if (!missing.empty()) {
    Fail(Exit::kDocument,
         WithRc("no " + JoinNames(missing) + " section in " + snapshot.document, RC_FAIL));
  }
}

}  // namespace

void AddDumpCommand(CLI::App& app, Context& context) {
  AddCommand(
      app, context, "dump", "Show every setting at once", [&context] { Dump(context); },
      "The password is never shown, only whether its file exists.\n"
      "JSON: {\"document\", \"firstUse\", \"apps\", \"switches\", \"background\",\n"
      "\"workspaces\", \"wallpaper\", \"hwFlag\", \"password\": {\"file\", \"exists\"}};\n"
      "what cannot be read is null. fennimar load takes it back.");
}

}  // namespace fennimar::cli
