// rewrite: loads the settings document and writes it back as the library
// writes it, changing no setting; with --json it first prints what `dump
// --json` prints. Hidden from the help: it lets a test read a document on
// one platform and have that platform's library save it, in one run, for
// the other platform to read.
#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Snapshot.h"

namespace fennimar::cli {
namespace {

// A session with a private copy saves that copy whole when it ends, as any
// host's interface object does; one that could not load the document writes
// nothing.
void Rewrite(Context& context) {
  Session session(context.options, /*shared=*/false);
  if (context.options.json) PrintJson(ToJson(TakeSnapshot(session)));
  if (!session.DocumentLoaded()) {
    Fail(Exit::kDocument,
         WithRc("the settings document " + session.document() + " could not be loaded", RC_FAIL));
  }
}

}  // namespace

void AddRewriteCommand(CLI::App& app, Context& context) {
  CLI::App* rewrite = AddCommand(app, context, "rewrite", "Load the document and save it again",
                                 [&context] { Rewrite(context); });
  rewrite->group("");  // not listed in the help
}

}  // namespace fennimar::cli
