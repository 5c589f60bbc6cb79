#include "cli/Records.h"

#include <algorithm>
#include <cctype>

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

// "emRecylePath" -> "em-recyle-path", "styleID" -> "style-id".
std::string CliName(const std::string& json_name) {
  std::string name;
  for (std::size_t i = 0; i < json_name.size(); ++i) {
    const auto c = static_cast<unsigned char>(json_name[i]);
    if (std::isupper(c) && i > 0 && !std::isupper(static_cast<unsigned char>(json_name[i - 1]))) {
      name += '-';
    }
    name += static_cast<char>(std::tolower(c));
  }
  return name;
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
  static const std::vector<WorkspaceField> fields = [] {
    std::vector<WorkspaceField> list;
    for (const auto& field : FennimarRules::WorkspaceFields()) {
      if (field.number == &_VDESKTOPINFO_::key) continue;  // the record's identity
      const std::string json_name = U8(CString(field.name));
      list.push_back({CliName(json_name), json_name, field.number, field.text});
    }
    return list;
  }();
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

std::size_t WorkspacePosition(const std::vector<_VDESKTOPINFO_>& placed, int key) {
  if (key < 1 || static_cast<std::size_t>(key) > placed.size() || placed[key - 1].key != key) {
    const auto count =
        std::count_if(placed.begin(), placed.end(),
                      [](const _VDESKTOPINFO_& workspace) { return workspace.key != 0; });
    Fail(Exit::kNotFound, "no workspace " + std::to_string(key) + " (the document has " +
                              std::to_string(count) + ")");
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
