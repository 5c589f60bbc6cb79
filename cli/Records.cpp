#include "cli/Records.h"

#include <algorithm>

#include "cli/Errors.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

template <typename Field>
std::vector<std::string> CliNames(const std::vector<Field>& fields) {
  std::vector<std::string> names;
  for (const auto& field : fields) names.emplace_back(field.cli_name);
  return names;
}

}  // namespace

const std::vector<SwitchField>& SwitchFields() {
  static const std::vector<SwitchField> fields = {
      {"launchcode", "launchcode", &_Fennimar_Config_::launchcode},
      {"mouse-hook", "mouseHook", &_Fennimar_Config_::mouseHook},
      {"sound-effect", "soundEffect", &_Fennimar_Config_::soundEffect},
      {"light-effect", "lightEffect", &_Fennimar_Config_::lightEffect},
  };
  return fields;
}

const SwitchField& FindSwitch(std::string_view cli_name) {
  for (const auto& field : SwitchFields()) {
    if (cli_name == field.cli_name) return field;
  }
  Fail(Exit::kUsage, "unknown switch '" + std::string(cli_name) +
                         "'; valid switches: " + JoinNames(CliNames(SwitchFields())));
}

const std::vector<WorkspaceField>& WorkspaceFields() {
  using W = _VDESKTOPINFO_;
  static const std::vector<WorkspaceField> fields = {
      {"name", "name", nullptr, &W::name},
      {"style-id", "styleID", &W::styleID, nullptr},
      {"mouse-style", "mouseStyle", nullptr, &W::mouseStyle},
      {"em-recyle-path", "emRecylePath", nullptr, &W::emRecylePath},
      {"fu-recyle-path", "fuRecylePath", nullptr, &W::fuRecylePath},
      {"mouse-no", "mouseNo", &W::mouseNo, nullptr},
      {"recyle-no", "recyleNo", &W::recyleNo, nullptr},
      {"use-tarsel", "useTarsel", &W::useTarsel, nullptr},
  };
  return fields;
}

const WorkspaceField& FindWorkspaceField(std::string_view cli_name) {
  for (const auto& field : WorkspaceFields()) {
    if (cli_name == field.cli_name) return field;
  }
  Fail(Exit::kUsage, "unknown workspace field '" + std::string(cli_name) +
                         "'; valid fields: " + JoinNames(CliNames(WorkspaceFields())));
}

void SetWorkspaceField(const WorkspaceField& field, const std::string& value,
                       _VDESKTOPINFO_& workspace) {
  if (field.number != nullptr) {
    workspace.*field.number = ParseIntOrFail(value, field.cli_name);
  } else {
    workspace.*field.text = U16(value);
  }
}

std::vector<_VDESKTOPINFO_> ArrangeForWriting(std::vector<_VDESKTOPINFO_> workspaces) {
  std::vector<_VDESKTOPINFO_> arranged(workspaces.size());
  std::vector<bool> taken(workspaces.size(), false);
  for (auto& workspace : workspaces) {
    const int key = workspace.key;
    if (key < 1 || static_cast<std::size_t>(key) > workspaces.size() || taken[key - 1]) {
      return workspaces;
    }
    taken[key - 1] = true;
    arranged[key - 1] = std::move(workspace);
  }
  return arranged;
}

std::size_t WorkspacePosition(const std::vector<_VDESKTOPINFO_>& arranged, int key) {
  if (key < 1 || static_cast<std::size_t>(key) > arranged.size()) {
    Fail(Exit::kNotFound, "no workspace " + std::to_string(key) + " (the document has " +
                              std::to_string(arranged.size()) + ")");
  }
  return static_cast<std::size_t>(key - 1);
}

Json ToJson(const _Fennimar_AppItem_& item) {
  return Json{{"key", U8(item.key)},
              {"path", U8(item.path)},
              {"parameter", U8(item.parameter)},
              {"descriptionName", U8(item.descriptionName)}};
}

Json ToJson(const _Fennimar_Config_& config) {
  Json object = Json::object();
  for (const auto& field : SwitchFields()) object[field.json_name] = config.*field.member;
  return object;
}

Json ToJson(const _Background_Config_& background) {
  return Json{{"pictureFolder", U8(background.pictureFolder)},
              {"displaySequence", background.displaySequence}};
}

Json ToJson(const _VDESKTOPINFO_& workspace) {
  Json object = {{"key", workspace.key}};
  for (const auto& field : WorkspaceFields()) {
    if (field.number != nullptr) {
      object[field.json_name] = workspace.*field.number;
    } else {
      object[field.json_name] = U8(workspace.*field.text);
    }
  }
  return object;
}

Json AppsToJson(const std::vector<_Fennimar_AppItem_>& items) {
  Json list = Json::array();
  for (const auto& item : items) list.push_back(ToJson(item));
  return list;
}

Json WorkspacesToJson(const std::vector<_VDESKTOPINFO_>& workspaces) {
  Json list = Json::array();
  for (const auto& workspace : workspaces) list.push_back(ToJson(workspace));
  return list;
}

}  // namespace fennimar::cli
