// Snapshot - every setting at once, as `fennimar dump` shows it and `fennimar
// load` takes it back. The password itself is never in it, only whether
// the password file exists.
#ifndef FENNIMAR_CLI_SNAPSHOT_H_
#define FENNIMAR_CLI_SNAPSHOT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Output.h"
#include "cli/Session.h"

namespace fennimar::cli {

struct Snapshot {
  // Describe this machine; shown by dump, checked but not applied by load.
  std::string document;
  std::optional<std::uint32_t> first_use;  // as it was when the command started
  std::optional<std::uint32_t> hw_flag;
  std::string password_file;
  bool password_exists = false;
  // The settings proper; a section that cannot be read, or a value that is
  // not set, is nullopt.
  std::optional<std::vector<_Fennimar_AppItem_>> apps;
  std::optional<_Fennimar_Config_> switches;
  std::optional<_Background_Config_> background;
  std::optional<std::vector<_VDESKTOPINFO_>> workspaces;
  std::optional<std::string> wallpaper;
};

// Reads everything; fails (document) when no section of the document can be read.
Snapshot TakeSnapshot(Session& session);

// Fills the four sections of the document from `library`; a section that
// cannot be read is left as it is.
void ReadSections(FennimarDllInterface& library, Snapshot& snapshot);

// The names of the sections that could not be read.
std::vector<std::string> MissingSections(const Snapshot& snapshot);

// The whole snapshot: {"document", "firstUse", "apps", "switches",
// "background", "workspaces", "wallpaper", "hwFlag", "password"}; what is
// missing is null.
Json ToJson(const Snapshot& snapshot);
// Only the settings that load applies, and only those present.
Json LoadableJson(const Snapshot& snapshot);

// The snapshot as readable text, one block per kind of setting.
void PrintSnapshot(const Snapshot& snapshot);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_SNAPSHOT_H_
