// WorkspaceFields - how a workspace record maps onto its element, for the
// section's reader and writer and for hosts (FennimarRules): the attributes
// and the record's members, and the position a key selects.
#ifndef FENNIMAR_STORE_WORKSPACEFIELDS_H_
#define FENNIMAR_STORE_WORKSPACEFIELDS_H_

#include <cstddef>
#include <iterator>

#include "fennimar/Rules.h"
#include "src/common/Names.h"

namespace fennimar {

// In the order they are read and written; the key comes first and is read
// but never written.
inline constexpr FennimarWorkspaceField kWorkspaceFields[] = {
    {names::kKey, &_VDESKTOPINFO_::key, nullptr},
    {names::kName, nullptr, &_VDESKTOPINFO_::name},
    {names::kStyleId, &_VDESKTOPINFO_::styleID, nullptr},
    {names::kMouseStyle, nullptr, &_VDESKTOPINFO_::mouseStyle},
    {names::kEmRecylePath, nullptr, &_VDESKTOPINFO_::emRecylePath},
    {names::kFuRecylePath, nullptr, &_VDESKTOPINFO_::fuRecylePath},
    {names::kMouseNo, &_VDESKTOPINFO_::mouseNo, nullptr},
    {names::kRecyleNo, &_VDESKTOPINFO_::recyleNo, nullptr},
    {names::kUseTarsel, &_VDESKTOPINFO_::useTarsel, nullptr},
};
// The fields the writer writes: all but the key.
inline constexpr const FennimarWorkspaceField* kWorkspaceValueFields = kWorkspaceFields + 1;
inline constexpr const FennimarWorkspaceField* kWorkspaceFieldsEnd = std::end(kWorkspaceFields);

// The position (counted from 0) in a list of `count` records that the key
// selects: key k takes position k - 1. False for a key below 1 or beyond the
// list, which selects no record.
inline bool PositionOfKey(int key, std::size_t count, std::size_t* position) {
  if (key < 1 || static_cast<std::size_t>(key) > count) return false;
  *position = static_cast<std::size_t>(key) - 1;
  return true;
}

}  // namespace fennimar

#endif  // FENNIMAR_STORE_WORKSPACEFIELDS_H_
