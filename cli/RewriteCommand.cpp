// rewrite: loads the settings document and writes it back as the library
// writes it, changing no setting. Hidden from the help: it lets a test have
// one platform's library save a document that the other platform then reads.
#include "cli/Command.h"
#include "cli/Errors.h"

namespace fennimar::cli {
namespace {

// A session with a private copy saves that copy whole when it ends, as any
// host's interface object does; one that could not load the document writes
// nothing.
void Rewrite(Context& context) {
  Session session(context.options, /*shared=*/false);
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
