// SettingChanges - what differs between two snapshots, one line per changed
// setting, as `fennimar watch` prints it.
//
// A setting is a field of a record: a switch, a background field, a field of
// the application or workspace at a position (counted from 1), or one of the
// wallpaper, the first-use flag and the hardware flag. A record that exists
// on one side only (an application added or removed, a section that became
// unreadable) is one change of the whole record, from or to nothing.
//
// Text:  "switches sound-effect: 0 -> 1", "workspaces 2 name: \"Home\" ->
//        \"Office\"", "apps 3: (none) -> {\"key\":\"3\",...}"; values are
//        JSON, nothing is "(none)".
// JSON:  {"setting":"workspaces","position":2,"field":"name","old":"Home",
//        "new":"Office"}; "position" and "field" only where they apply,
//        nothing is null. Names are those of `fennimar dump --json`.
#ifndef FENNIMAR_CLI_SETTINGCHANGES_H_
#define FENNIMAR_CLI_SETTINGCHANGES_H_

#include <string>
#include <vector>

#include "cli/Output.h"
#include "cli/Snapshot.h"

namespace fennimar::cli {

struct SettingChange {
  std::string name;  // as the text line names it: "workspaces 2 name"
  Json where;        // {"setting", "position"?, "field"?}
  Json before;       // null: there was nothing
  Json after;
};

// The settings that differ, in the order of `fennimar dump`. Only the
// settings proper count: the document's path and the password are left out.
std::vector<SettingChange> CompareSettings(const Snapshot& before, const Snapshot& after);

// The change as one line without its line break.
std::string ChangeText(const SettingChange& change);
std::string ChangeJson(const SettingChange& change);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_SETTINGCHANGES_H_
