// LoadMerge - checks a dump given to `fennimar load` and merges the settings
// it holds into a snapshot of the current ones. Nothing is written here: a
// dump with any unknown field or value of the wrong type is refused as a
// whole (usage, naming the field), before anything has changed.
//
// Loaded: apps (the whole list), switches, background, workspaces (by key;
// fields not given keep their values) and wallpaper. Checked but not loaded,
// because they describe the machine rather than its settings: document,
// firstUse, hwFlag and password. A missing or null entry changes nothing.
#ifndef FENNIMAR_CLI_LOADMERGE_H_
#define FENNIMAR_CLI_LOADMERGE_H_

#include "cli/Output.h"
#include "cli/Session.h"
#include "cli/Snapshot.h"

namespace fennimar::cli {

// Merges `dump` into `settings` (the current ones, workspaces arranged for
// writing). Fails (usage) for an unknown field or a wrong type, (not found)
// for a workspace key the document does not have, (limit) for more
// applications than the list takes, and (document) for a section the document lacks.
void MergeDump(const Json& dump, Session& session, Snapshot& settings);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_LOADMERGE_H_
