// Readers - each setting read through the interface, shared by the commands
// that show one setting, by dump and by load. The section readers fail
// (document) when the section cannot be read; the machine settings kept
// outside the document answer nullopt when they are not set.
#ifndef FENNIMAR_CLI_READERS_H_
#define FENNIMAR_CLI_READERS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Session.h"

namespace fennimar::cli {

// Section names as the document spells them, for messages.
inline constexpr const char* kAppListSection = "AppList";
inline constexpr const char* kGlobalSection = "GlobalSetting";
inline constexpr const char* kBackgroundSection = "BackgroundSetting";
inline constexpr const char* kWorkspaceSection = "WorkspaceSetting";

std::vector<_Fennimar_AppItem_> ReadApps(Session& session);
_Fennimar_Config_ ReadSwitches(Session& session);
_Background_Config_ ReadBackground(Session& session);
std::vector<_VDESKTOPINFO_> ReadWorkspaces(Session& session);

// The wallpaper path kept in the registry; nullopt when it is not there.
std::optional<std::string> TryReadWallpaper(Session& session);
// The flag in HWinfo.ini beside the program; nullopt when it is not there.
std::optional<std::uint32_t> TryReadHwFlag(Session& session);

// Where the library keeps those two, for messages.
std::string WallpaperPlace();
std::string HwIniPath();

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_READERS_H_
