#include "cli/LoadMerge.h"

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/Errors.h"
#include "cli/Readers.h"
#include "cli/Records.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

[[noreturn]] void WrongType(const std::string& field, const char* expected) {
  Fail(Exit::kUsage, "load: field '" + field + "' must be " + expected);
}

// Fails for a member of `object` whose name is not among `valid`.
void CheckNames(const Json& object, const std::string& field,
                const std::vector<std::string>& valid) {
  for (const auto& [name, value] : object.items()) {
    bool known = false;
    for (const auto& candidate : valid) known = known || candidate == name;
    if (!known) {
      const std::string full = field.empty() ? name : field + "." + name;
      Fail(Exit::kUsage, "load: unknown field '" + full + "'; valid fields: " + JoinNames(valid));
    }
  }
}

const Json& Object(const Json& value, const std::string& field) {
  if (!value.is_object()) WrongType(field, "an object");
  return value;
}

std::string Text(const Json& value, const std::string& field) {
  if (!value.is_string()) WrongType(field, "a string");
  return value.get<std::string>();
}

int Integer(const Json& value, const std::string& field) {
  const bool fits = (value.is_number_unsigned() && value.get<std::uint64_t>() <= INT_MAX) ||
                    (value.is_number_integer() && !value.is_number_unsigned() &&
                     value.get<std::int64_t>() >= INT_MIN && value.get<std::int64_t>() <= INT_MAX);
  if (!fits) WrongType(field, "an integer");
  return value.get<int>();
}

// Entries that describe the machine: their types are checked, nothing more.
void CheckMachineEntries(const Json& dump) {
  if (dump.contains("document") && !dump["document"].is_null()) Text(dump["document"], "document");
  for (const char* field : {"firstUse", "hwFlag"}) {
    const Json& value = dump.contains(field) ? dump[field] : Json(nullptr);
    if (!value.is_null() &&
        !(value.is_number_unsigned() && value.get<std::uint64_t>() <= UINT32_MAX)) {
      WrongType(field, "a number from 0 to 4294967295, or null");
    }
  }
  if (!dump.contains("password") || dump["password"].is_null()) return;
  const Json& password = Object(dump["password"], "password");
  CheckNames(password, "password", {"file", "exists"});
  if (password.contains("file")) Text(password["file"], "password.file");
  if (password.contains("exists") && !password["exists"].is_boolean()) {
    WrongType("password.exists", "true or false");
  }
}

class Merger {
 public:
  Merger(Session& session, Snapshot& settings) : session_(session), settings_(settings) {}

  void Merge(const Json& dump) {
    if (!dump.is_object()) Fail(Exit::kUsage, "load: the dump must be a JSON object");
    CheckNames(dump, "",
               {"document", "firstUse", "apps", "switches", "background", "workspaces", "wallpaper",
                "hwFlag", "password"});
    CheckMachineEntries(dump);
    if (Given(dump, "apps")) MergeApps(dump["apps"]);
    if (Given(dump, "switches")) MergeSwitches(dump["switches"]);
    if (Given(dump, "background")) MergeBackground(dump["background"]);
    if (Given(dump, "workspaces")) MergeWorkspaces(dump["workspaces"]);
    if (Given(dump, "wallpaper")) settings_.wallpaper = Text(dump["wallpaper"], "wallpaper");
  }

 private:
  static bool Given(const Json& dump, const char* name) {
    return dump.contains(name) && !dump[name].is_null();
  }

  // The section must be readable now, or nothing could be written to it.
  template <typename T>
  T& Current(std::optional<T>& section, const char* name) {
    if (!section) session_.FailSection(name, RC_FAIL);
    return *section;
  }

  void MergeApps(const Json& list) {
    if (!list.is_array()) WrongType("apps", "a list");
    std::vector<_Fennimar_AppItem_> items;
    for (std::size_t i = 0; i < list.size(); ++i) items.push_back(App(list[i], i));
    const std::size_t limit = FennimarRules::MaxApplications();
    if (items.size() > limit) {
      Fail(Exit::kLimit,
           WithRc("load: apps holds " + std::to_string(items.size()) +
                      " items; the application list takes at most " + std::to_string(limit),
                  RC_LIST_FULL));
    }
    Current(settings_.apps, kAppListSection) = std::move(items);
  }

  static _Fennimar_AppItem_ App(const Json& value, std::size_t index) {
    const std::string field = "apps[" + std::to_string(index) + "]";
    CheckNames(Object(value, field), field, {"key", "path", "parameter", "descriptionName"});
    for (const char* required : {"key", "path"}) {
      if (!value.contains(required)) WrongType(field + "." + required, "given");
    }
    _Fennimar_AppItem_ item;
    item.key = U16(Text(value["key"], field + ".key"));
    item.path = U16(Text(value["path"], field + ".path"));
    if (value.contains("parameter"))
      item.parameter = U16(Text(value["parameter"], field + ".parameter"));
    if (value.contains("descriptionName")) {
      item.descriptionName = U16(Text(value["descriptionName"], field + ".descriptionName"));
    }
    return item;
  }

  void MergeSwitches(const Json& object) {
    std::vector<std::string> valid;
    for (const auto& field : SwitchFields()) valid.emplace_back(field.json_name);
    CheckNames(Object(object, "switches"), "switches", valid);
    _Fennimar_Config_ config = Current(settings_.switches, kGlobalSection);
    for (const auto& field : SwitchFields()) {
      if (object.contains(field.json_name)) {
        config.*field.member =
            Integer(object[field.json_name], std::string("switches.") + field.json_name);
      }
    }
    settings_.switches = config;
  }

  void MergeBackground(const Json& object) {
    CheckNames(Object(object, "background"), "background", {"pictureFolder", "displaySequence"});
    _Background_Config_ background = Current(settings_.background, kBackgroundSection);
    if (object.contains("pictureFolder")) {
      background.pictureFolder = U16(Text(object["pictureFolder"], "background.pictureFolder"));
    }
    if (object.contains("displaySequence")) {
      background.displaySequence = Integer(object["displaySequence"], "background.displaySequence");
    }
    settings_.background = background;
  }

  void MergeWorkspaces(const Json& list) {
    if (!list.is_array()) WrongType("workspaces", "a list");
    std::vector<_VDESKTOPINFO_> workspaces = Current(settings_.workspaces, kWorkspaceSection);
    std::vector<std::string> valid = {"key"};
    for (const auto& field : WorkspaceFields()) valid.emplace_back(field.json_name);
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string field = "workspaces[" + std::to_string(i) + "]";
      CheckNames(Object(list[i], field), field, valid);
      if (!list[i].contains("key")) WrongType(field + ".key", "given");
      const int key = Integer(list[i]["key"], field + ".key");
      MergeWorkspace(list[i], field, workspaces[WorkspacePosition(workspaces, key)]);
    }
    settings_.workspaces = std::move(workspaces);
  }

  static void MergeWorkspace(const Json& object, const std::string& field,
                             _VDESKTOPINFO_& workspace) {
    for (const auto& member : WorkspaceFields()) {
      if (!object.contains(member.json_name)) continue;
      const Json& value = object[member.json_name];
      const std::string name = field + "." + member.json_name;
      if (member.number != nullptr) {
        workspace.*member.number = Integer(value, name);
      } else {
        workspace.*member.text = U16(Text(value, name));
      }
    }
  }

  Session& session_;
  Snapshot& settings_;
};

}  // namespace

void MergeDump(const Json& dump, Session& session, Snapshot& settings) {
  Merger(session, settings).Merge(dump);
}

}  // namespace fennimar::cli
