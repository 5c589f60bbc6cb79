// load: takes back what `fennimar dump --json` gave. The whole dump is
// checked first (see LoadMerge.h); then only what differs from the current
// settings is written, so loading an unchanged dump writes nothing.
// --dry-run lists what would change and writes nothing.
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/LoadMerge.h"
#include "cli/Readers.h"
#include "cli/Records.h"
#include "cli/Snapshot.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

struct Arguments {
  std::string file;
  bool dry_run = false;
};

struct Change {
  std::string field;
  Json before;  // null when the entry is new
  Json after;   // null when the entry goes
};

Json ReadDump(const std::string& file) {
  std::string text;
  if (file == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(file, std::ios::binary);
    if (!in) Fail(Exit::kNotFound, "cannot open " + file);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  Json dump = Json::parse(text, nullptr, false);
  if (dump.is_discarded()) {
    Fail(Exit::kUsage,
         "load: " + (file == "-" ? std::string("standard input") : file) + " is not JSON");
  }
  return dump;
}

// Every leaf that differs between the two, named by its path
// ("switches.soundEffect", "workspaces[1].name", "apps[2]").
void Diff(const std::string& field, const Json* before, const Json* after,
          std::vector<Change>& changes) {
  if (before && after && before->is_object() && after->is_object()) {
    for (const auto& [name, value] : before->items()) {
      Diff(field + "." + name, &value, after->contains(name) ? &(*after)[name] : nullptr, changes);
    }
    for (const auto& [name, value] : after->items()) {
      if (!before->contains(name)) Diff(field + "." + name, nullptr, &value, changes);
    }
  } else if (before && after && before->is_array() && after->is_array()) {
    for (std::size_t i = 0; i < std::max(before->size(), after->size()); ++i) {
      Diff(field + "[" + std::to_string(i) + "]", i < before->size() ? &(*before)[i] : nullptr,
           i < after->size() ? &(*after)[i] : nullptr, changes);
    }
  } else if (!before || !after || *before != *after) {
    changes.push_back({field, before ? *before : Json(nullptr), after ? *after : Json(nullptr)});
  }
}

std::vector<Change> Changes(const Json& before, const Json& after) {
  std::vector<Change> changes;
  for (const auto& [name, value] : after.items()) {
    Diff(name, before.contains(name) ? &before[name] : nullptr, &value, changes);
  }
  return changes;
}

void PrintChanges(const std::vector<Change>& changes, bool json) {
  if (json) {
    Json list = Json::array();
    for (const auto& change : changes) {
      list.push_back(Json{{"field", change.field}, {"from", change.before}, {"to", change.after}});
    }
    return PrintJson(Json{{"changes", list}});
  }
  if (changes.empty()) std::cout << "(no changes)\n";
  for (const auto& change : changes) {
    std::cout << change.field << ": " << (change.before.is_null() ? "(none)" : change.before.dump())
              << " -> " << (change.after.is_null() ? "(none)" : change.after.dump()) << '\n';
  }
}

void ReplaceApps(Session& session, const std::vector<_Fennimar_AppItem_>& current,
                 std::vector<_Fennimar_AppItem_> wanted) {
  auto& library = session.library();
  for (const auto& item : current) {
    CString path = item.path;
    session.CheckSection(kAppListSection, library.DeleteAppItem(path));
  }
  for (auto& item : wanted) session.CheckSection(kAppListSection, library.AddAppItem(item));
}

// Writes each kind of setting that differs. The wallpaper goes first: it is
// the one write that a missing registry key can refuse.
void Apply(Session& session, const Snapshot& current, Snapshot& wanted) {
  const Json before = LoadableJson(current);
  const Json after = LoadableJson(wanted);
  const auto differs = [&](const char* name) {
    return after.contains(name) && (!before.contains(name) || before[name] != after[name]);
  };
  auto& library = session.library();
  if (differs("wallpaper")) {
    CString path = U16(*wanted.wallpaper);
    const auto code = library.SetCurrentBgImage(path);
    if (code != RC_SUCCESS) Fail(Exit::kWrite, WithRc("cannot write " + WallpaperPlace(), code));
  }
  if (differs("apps")) ReplaceApps(session, *current.apps, *wanted.apps);
  if (differs("switches")) {
    session.CheckSection(kGlobalSection, library.SetConfig(*wanted.switches));
  }
  if (differs("background")) {
    session.CheckSection(kBackgroundSection, library.SetBackgroundConfig(*wanted.background));
  }
  if (differs("workspaces")) {
    session.CheckSection(kWorkspaceSection, library.SetWorkspcaeConfig(*wanted.workspaces));
  }
}

void Load(Context& context, const Arguments& arguments) {
  const Json dump = ReadDump(arguments.file);
  Session session(context.options);
  if (!arguments.dry_run) session.HoldForChange();
  Snapshot current = TakeSnapshot(session);
  if (current.workspaces)
    current.workspaces = FennimarRules::PlaceWorkspacesByKey(*current.workspaces);
  Snapshot wanted = current;
  MergeDump(dump, session, wanted);
  if (arguments.dry_run) {
    return PrintChanges(Changes(LoadableJson(current), LoadableJson(wanted)), context.options.json);
  }
  Apply(session, current, wanted);
}

}  // namespace

void AddLoadCommand(CLI::App& app, Context& context) {
  auto arguments = std::make_shared<Arguments>();
  CLI::App* load = AddCommand(
      app, context, "load", "Take back settings that dump --json gave",
      [&context, arguments] { Load(context, *arguments); },
      "Loads apps (the whole list), switches, background, workspaces (by key; fields\n"
      "not given keep their values) and wallpaper; entries that are missing or null\n"
      "change nothing. document, firstUse, hwFlag and password describe the machine:\n"
      "they are checked but not loaded. The whole file is checked before anything is\n"
      "written: an unknown field or a value of the wrong type fails with status 2,\n"
      "naming the field. Only what differs is written.\n"
      "Example: fennimar dump --json > saved.json; fennimar load saved.json");
  load->add_option("FILE", arguments->file, "The dump, or - for standard input")->required();
  load->add_flag("--dry-run", arguments->dry_run, "List what would change; write nothing");
}

}  // namespace fennimar::cli
