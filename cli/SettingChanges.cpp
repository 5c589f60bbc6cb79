#include "cli/SettingChanges.h"

#include <algorithm>
#include <map>

#include "cli/Records.h"

namespace fennimar::cli {
namespace {

using Changes = std::vector<SettingChange>;

// The command-line spelling of a JSON name, as the other commands print it.
std::string TextName(const std::string& json_name) {
  static const std::map<std::string, std::string> names = [] {
    std::map<std::string, std::string> map = {{"firstUse", "first-use"},
                                              {"hwFlag", "hw-flag"},
                                              {"pictureFolder", "folder"},
                                              {"displaySequence", "sequence"},
                                              {"descriptionName", "description"}};
    for (const auto& field : SwitchFields()) map[field.json_name] = field.cli_name;
    for (const auto& field : WorkspaceFields()) map[field.json_name] = field.cli_name;
    return map;
  }();
  const auto found = names.find(json_name);
  return found == names.end() ? json_name : found->second;
}

// Field by field when both sides are records, else the whole value at once.
void CompareRecord(const Json& where, const std::string& name, const Json& before,
                   const Json& after, Changes& changes) {
  if (before == after) return;
  if (!before.is_object() || !after.is_object()) {
    changes.push_back({name, where, before, after});
    return;
  }
  for (const auto& [field, value] : after.items()) {
    const Json old_value = before.value(field, Json(nullptr));
    if (old_value == value) continue;
    Json field_where = where;
    field_where["field"] = field;
    changes.push_back({name + " " + TextName(field), field_where, old_value, value});
  }
}

// Lists are compared position by position; a missing list is an empty one.
void CompareList(const std::string& setting, const Json& before, const Json& after,
                 Changes& changes) {
  const std::size_t old_size = before.is_array() ? before.size() : 0;
  const std::size_t new_size = after.is_array() ? after.size() : 0;
  for (std::size_t i = 0; i < std::max(old_size, new_size); ++i) {
    const Json where = {{"setting", setting}, {"position", i + 1}};
    CompareRecord(where, TextName(setting) + " " + std::to_string(i + 1),
                  i < old_size ? before[i] : Json(nullptr), i < new_size ? after[i] : Json(nullptr),
                  changes);
  }
}

std::string Shown(const Json& value) {
  if (value.is_null()) return "(none)";
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::vector<SettingChange> CompareSettings(const Snapshot& before, const Snapshot& after) {
  const Json old_json = ToJson(before);
  const Json new_json = ToJson(after);
  Changes changes;
  for (const char* setting :
       {"firstUse", "apps", "switches", "background", "workspaces", "wallpaper", "hwFlag"}) {
    const Json& old_value = old_json[setting];
    const Json& new_value = new_json[setting];
    if (old_value.is_array() || new_value.is_array()) {
      CompareList(setting, old_value, new_value, changes);
    } else {
      CompareRecord({{"setting", setting}}, TextName(setting), old_value, new_value, changes);
    }
  }
  return changes;
}

std::string ChangeText(const SettingChange& change) {
  return change.name + ": " + Shown(change.before) + " -> " + Shown(change.after);
}

std::string ChangeJson(const SettingChange& change) {
  Json line = change.where;
  line["old"] = change.before;
  line["new"] = change.after;
  return line.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace fennimar::cli
