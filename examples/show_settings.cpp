// show_settings - a small host program: opens the settings document (the path
// given as its argument, or $XDG_CONFIG_HOME/fennimar/Fennimar.xml) and prints
// the first-use flag and every setting the library can read.
#include <fennimar/FennimarDllInterface.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string DefaultDocumentPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/fennimar/Fennimar.xml";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.config/fennimar/Fennimar.xml";
}

const char* Name(_Fennimar_ReturnCode_ code) {
  switch (code) {
    case RC_FAIL: return "RC_FAIL";
    case RC_SUCCESS: return "RC_SUCCESS";
    case RC_NOT_IMPLEMENTED: return "RC_NOT_IMPLEMENTED";
    case RC_FILE_ERROR: return "RC_FILE_ERROR";
    case RC_LIST_FULL: return "RC_LIST_FULL";
    case RC_SYSTEM_ERROR: return "RC_SYSTEM_ERROR";
  }
  return "?";
}

void ShowApplications(FennimarDllInterface& library) {
  std::vector<_Fennimar_AppItem_> items;
  std::printf("applications: %s\n", Name(library.GetApplicationsList(items)));
  for (const auto& item : items) {
    std::printf("  %s  %s %s  (%s)\n", item.key.ToUtf8().c_str(), item.path.ToUtf8().c_str(),
                item.parameter.ToUtf8().c_str(), item.descriptionName.ToUtf8().c_str());
  }
}

void ShowSwitches(FennimarDllInterface& library) {
  _Fennimar_Config_ config;
  const auto result = library.GetConfig(config);
  std::printf("switches: %s  launchcode=%d mouse-hook=%d sound-effect=%d light-effect=%d\n",
              Name(result), config.launchcode, config.mouseHook, config.soundEffect,
              config.lightEffect);
}

void ShowBackgroundAndWorkspaces(FennimarDllInterface& library) {
  _Background_Config_ background;
  const auto result = library.GetBackgroundConfig(background);
  std::printf("background: %s  folder=%s sequence=%d\n", Name(result),
              background.pictureFolder.ToUtf8().c_str(), background.displaySequence);
  std::vector<_VDESKTOPINFO_> workspaces;
  std::printf("workspaces: %s\n", Name(library.GetWorkspcaeConfig(workspaces)));
  for (const auto& w : workspaces) {
    std::printf("  %d  %s  style=%d\n", w.key, w.name.ToUtf8().c_str(), w.styleID);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : DefaultDocumentPath();
  std::printf("document: %s\n", path.c_str());
  FennimarDllInterface library(CString::FromUtf8(path));
  std::uint32_t status = 0;
  const auto result = library.GetUsedStatus(status);
  std::printf("first-use flag: %s  %u\n", Name(result), static_cast<unsigned>(status));
  ShowApplications(library);
  ShowSwitches(library);
  ShowBackgroundAndWorkspaces(library);
  CString wallpaper;
  std::printf("wallpaper: %s  %s\n", Name(library.GetCurrentBgImage(wallpaper)),
              wallpaper.ToUtf8().c_str());
  std::uint32_t flag = 0;
  std::printf("hardware flag: %s  %u\n", Name(library.GetLightFlagStatus(flag)),
              static_cast<unsigned>(flag));
  return 0;
}
