// FennimarRules - the library's own definitions, handed to hosts: the limit
// AddAppItem applies, the workspace fields its reader and writer use, and the
// inverse of the writer's choice of a record by key.
#include <algorithm>
#include <iterator>

#include "fennimar/Rules.h"
#include "src/store/AppListLimit.h"
#include "src/store/WorkspaceFields.h"

std::size_t FennimarRules::MaxApplications() { return fennimar::kMaxApplications; }

const std::vector<FennimarWorkspaceField>& FennimarRules::WorkspaceFields() {
  static const std::vector<FennimarWorkspaceField> fields(std::begin(fennimar::kWorkspaceFields),
                                                          std::end(fennimar::kWorkspaceFields));
  return fields;
}

std::vector<_VDESKTOPINFO_> FennimarRules::PlaceWorkspacesByKey(
    const std::vector<_VDESKTOPINFO_>& read) {
  int highest = 0;
  for (const auto& workspace : read) highest = std::max(highest, workspace.key);
  std::vector<_VDESKTOPINFO_> placed(static_cast<std::size_t>(highest));
  for (const auto& workspace : read) {
    std::size_t position = 0;
    // A later record with a key already placed is left out: the writer
    // gives every element with that key the one record at its position.
    if (fennimar::PositionOfKey(workspace.key, placed.size(), &position) &&
        placed[position].key == 0) {
      placed[position] = workspace;
    }
  }
  return placed;
}
