// PugiRecords - the least any implementation of the interface has to do for
// the list methods and the background reader, done on pugixml directly: build the caller's records
// (UTF-16 strings, numbers) from the tree, write records back into it, find
// an item by path. Beside the plain walks they show how much of a method's
// time its output or input itself costs.
#ifndef FENNIMAR_BENCH_PUGIRECORDS_H_
#define FENNIMAR_BENCH_PUGIRECORDS_H_

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::bench::pugi_records {

// The items and workspaces the readers return, read straight off the tree.
std::vector<_Fennimar_AppItem_> BuildApplications(const pugi::xml_document& document);
std::vector<_VDESKTOPINFO_> BuildWorkspaces(const pugi::xml_document& document);
// The background settings as GetBackgroundConfig returns them: the folder
// as a CString of its own, the sequence as a number.
_Background_Config_ BuildBackground(const pugi::xml_document& document);
// Writes each workspace element's values from the record its key selects,
// converting them to UTF-8 as it goes.
void WriteWorkspaces(pugi::xml_document& document, const std::vector<_VDESKTOPINFO_>& records);
// What AddAppItem and DeleteAppItem do to the tree and the file: unless the
// list is `full`, append `item` and save; then remove the first item with
// its path, if any, and save.
void AddAndDeleteApplication(pugi::xml_document& document, const std::string& file,
                             const _Fennimar_AppItem_& item, bool full);

}  // namespace fennimar::bench::pugi_records

#endif  // FENNIMAR_BENCH_PUGIRECORDS_H_
