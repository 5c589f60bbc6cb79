#include "cli/RecordText.h"

#include <cctype>
#include <string>
#include <utility>

#include "cli/Output.h"
#include "cli/Records.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

std::string Upper(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void PrintAppsTable(const std::vector<_Fennimar_AppItem_>& items) {
  Table table({"KEY", "PATH", "PARAMETER", "DESCRIPTION"});
  for (const auto& item : items) {
    table.AddRow({U8(item.key), U8(item.path), U8(item.parameter), U8(item.descriptionName)});
  }
  table.Print();
}

void PrintSwitches(const _Fennimar_Config_& config) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& field : SwitchFields()) {
    pairs.emplace_back(field.cli_name, std::to_string(config.*field.member));
  }
  PrintPairs(pairs);
}

void PrintBackground(const _Background_Config_& background) {
  PrintPairs({{"folder", U8(background.pictureFolder)},
              {"sequence", std::to_string(background.displaySequence)}});
}

void PrintWorkspacesTable(const std::vector<_VDESKTOPINFO_>& workspaces) {
  std::vector<std::string> header = {"KEY"};
  for (const auto& field : WorkspaceFields()) header.push_back(Upper(field.cli_name));
  Table table(std::move(header));
  for (const auto& workspace : workspaces) {
    std::vector<std::string> row = {std::to_string(workspace.key)};
    for (const auto& field : WorkspaceFields()) {
      row.push_back(field.number ? std::to_string(workspace.*field.number)
                                 : U8(workspace.*field.text));
    }
    table.AddRow(std::move(row));
  }
  table.Print();
}

}  // namespace fennimar::cli
