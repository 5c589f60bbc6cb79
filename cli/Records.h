// Records - the library's records as the command shows and takes them: JSON
// objects whose field names are the records' own, and the command-line names
// of the switches and of the workspace fields.
#ifndef FENNIMAR_CLI_RECORDS_H_
#define FENNIMAR_CLI_RECORDS_H_

#include <string>
#include <string_view>
#include <vector>

#include "cli/Output.h"
#include "fennimar/FennimarDllInterface.h"
#include "fennimar/Rules.h"

namespace fennimar::cli {

// One of the four switches: "mouse-hook" on the command line, "mouseHook" in JSON.
struct SwitchField {
  const char* cli_name;
  const char* json_name;
  int _Fennimar_Config_::*member;
};
const std::vector<SwitchField>& SwitchFields();
// By command-line name; fails (usage) listing the valid names.
const SwitchField& FindSwitch(std::string_view cli_name);

// A field of a workspace other than its key: either a number or a text. The
// JSON name is the library's ("styleID"), the command-line name made from it
// ("style-id").
struct WorkspaceField {
  std::string cli_name;
  std::string json_name;
  int _VDESKTOPINFO_::*number;    // null for a text field
  CString _VDESKTOPINFO_::*text;  // null for a number field
};
// The library's workspace fields but the key, in its order.
const std::vector<WorkspaceField>& WorkspaceFields();
// By command-line name; fails (usage) listing the valid names.
const WorkspaceField& FindWorkspaceField(std::string_view cli_name);
// Sets the field from command-line text; fails (usage) for a bad number.
void SetWorkspaceField(const WorkspaceField& field, const std::string& value,
                       _VDESKTOPINFO_& workspace);

// Position of the workspace with number `key` in a list placed by key
// (FennimarRules::PlaceWorkspacesByKey); fails (not found) when there is none.
std::size_t WorkspacePosition(const std::vector<_VDESKTOPINFO_>& placed, int key);

Json ToJson(const _Fennimar_AppItem_& item);
Json ToJson(const _Fennimar_Config_& config);
Json ToJson(const _Background_Config_& background);
Json ToJson(const _VDESKTOPINFO_& workspace);
Json AppsToJson(const std::vector<_Fennimar_AppItem_>& items);
Json WorkspacesToJson(const std::vector<_VDESKTOPINFO_>& workspaces);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_RECORDS_H_
