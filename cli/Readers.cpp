#include "cli/Readers.h"

#include "cli/Locations.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"
#include "fennimar/Locations.h"

namespace fennimar::cli {

std::vector<_Fennimar_AppItem_> ReadApps(Session& session) {
  std::vector<_Fennimar_AppItem_> items;
  session.CheckSection(kAppListSection, session.library().GetApplicationsList(items));
  return items;
}

_Fennimar_Config_ ReadSwitches(Session& session) {
  _Fennimar_Config_ config;
  session.CheckSection(kGlobalSection, session.library().GetConfig(config));
  return config;
}

_Background_Config_ ReadBackground(Session& session) {
  _Background_Config_ background;
  session.CheckSection(kBackgroundSection, session.library().GetBackgroundConfig(background));
  return background;
}

std::vector<_VDESKTOPINFO_> ReadWorkspaces(Session& session) {
  std::vector<_VDESKTOPINFO_> workspaces;
  session.CheckSection(kWorkspaceSection, session.library().GetWorkspcaeConfig(workspaces));
  return workspaces;
}

std::optional<std::string> TryReadWallpaper(Session& session) {
  CString path;
  if (session.library().GetCurrentBgImage(path) != RC_SUCCESS) return std::nullopt;
  return U8(path);
}

std::optional<std::uint32_t> TryReadHwFlag(Session& session) {
  std::uint32_t flag = 0;
  if (session.library().GetLightFlagStatus(flag) != RC_SUCCESS) return std::nullopt;
  return flag;
}

std::string WallpaperPlace() {
  return "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WallPaper " + InRegistry();
}

std::string HwIniPath() { return U8(FennimarLocations::HardwareIni()); }

}  // namespace fennimar::cli
