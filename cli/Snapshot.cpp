#include "cli/Snapshot.h"

#include <filesystem>
#include <iostream>

#include "cli/Locations.h"
#include "cli/Readers.h"
#include "cli/RecordText.h"
#include "cli/Records.h"

namespace fennimar::cli {
namespace {

template <typename T>
Json OrNull(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

std::string Shown(const std::optional<std::string>& text, const char* missing) {
  return text ? *text : missing;
}

std::string Shown(const std::optional<std::uint32_t>& number, const char* missing) {
  return number ? std::to_string(*number) : missing;
}

}  // namespace

void ReadSections(FennimarDllInterface& library, Snapshot& snapshot) {
  std::vector<_Fennimar_AppItem_> items;
  if (library.GetApplicationsList(items) == RC_SUCCESS) snapshot.apps = items;
  _Fennimar_Config_ config;
  if (library.GetConfig(config) == RC_SUCCESS) snapshot.switches = config;
  _Background_Config_ background;
  if (library.GetBackgroundConfig(background) == RC_SUCCESS) snapshot.background = background;
  std::vector<_VDESKTOPINFO_> workspaces;
  if (library.GetWorkspcaeConfig(workspaces) == RC_SUCCESS) snapshot.workspaces = workspaces;
}

Snapshot TakeSnapshot(Session& session) {
  Snapshot snapshot;
  snapshot.document = session.document();
  snapshot.first_use = session.first_use();
  snapshot.hw_flag = TryReadHwFlag(session);
  snapshot.password_file = session.password_file();
  std::error_code error;
  snapshot.password_exists = std::filesystem::exists(FsPath(snapshot.password_file), error);
  ReadSections(session.library(), snapshot);
  snapshot.wallpaper = TryReadWallpaper(session);
  if (!snapshot.apps && !snapshot.switches && !snapshot.background && !snapshot.workspaces) {
    session.FailSection(kAppListSection, RC_FAIL);
  }
  return snapshot;
}

std::vector<std::string> MissingSections(const Snapshot& snapshot) {
  std::vector<std::string> missing;
  if (!snapshot.apps) missing.emplace_back(kAppListSection);
  if (!snapshot.switches) missing.emplace_back(kGlobalSection);
  if (!snapshot.background) missing.emplace_back(kBackgroundSection);
  if (!snapshot.workspaces) missing.emplace_back(kWorkspaceSection);
  return missing;
}

Json ToJson(const Snapshot& snapshot) {
  Json dump = {{"document", snapshot.document}, {"firstUse", OrNull(snapshot.first_use)}};
  dump["apps"] = snapshot.apps ? AppsToJson(*snapshot.apps) : Json(nullptr);
  dump["switches"] = snapshot.switches ? ToJson(*snapshot.switches) : Json(nullptr);
  dump["background"] = snapshot.background ? ToJson(*snapshot.background) : Json(nullptr);
  dump["workspaces"] = snapshot.workspaces ? WorkspacesToJson(*snapshot.workspaces) : Json(nullptr);
  dump["wallpaper"] = OrNull(snapshot.wallpaper);
  dump["hwFlag"] = OrNull(snapshot.hw_flag);
  dump["password"] = {{"file", snapshot.password_file}, {"exists", snapshot.password_exists}};
  return dump;
}

Json LoadableJson(const Snapshot& snapshot) {
  Json settings = Json::object();
  if (snapshot.apps) settings["apps"] = AppsToJson(*snapshot.apps);
  if (snapshot.switches) settings["switches"] = ToJson(*snapshot.switches);
  if (snapshot.background) settings["background"] = ToJson(*snapshot.background);
  if (snapshot.workspaces) settings["workspaces"] = WorkspacesToJson(*snapshot.workspaces);
  if (snapshot.wallpaper) settings["wallpaper"] = *snapshot.wallpaper;
  return settings;
}

void PrintSnapshot(const Snapshot& snapshot) {
  PrintPairs({{"document", snapshot.document},
              {"first use", Shown(snapshot.first_use, "(cannot be read)")},
              {"wallpaper", Shown(snapshot.wallpaper, "(not set)")},
              {"hw-flag", Shown(snapshot.hw_flag, "(not set)")},
              {"password", snapshot.password_file +
                               (snapshot.password_exists ? " (exists)" : " (does not exist)")}});
  if (snapshot.apps) {
    std::cout << "\napplications\n";
    PrintAppsTable(*snapshot.apps);
  }
  if (snapshot.switches) {
    std::cout << "\nswitches\n";
    PrintSwitches(*snapshot.switches);
  }
  if (snapshot.background) {
    std::cout << "\nbackground\n";
    PrintBackground(*snapshot.background);
  }
  if (snapshot.workspaces) {
    std::cout << "\nworkspaces\n";
    PrintWorkspacesTable(*snapshot.workspaces);
  }
}

}  // namespace fennimar::cli
