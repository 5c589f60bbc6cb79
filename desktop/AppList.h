// AppList - the window's rules for the bar's application list on top of the
// library's: a new application's key, its program and description, no two
// rows on one program; and changing the list to exactly the rows wanted,
// although the library removes only the first item with a path and adds
// only at the end.
#ifndef FENNIMAR_DESKTOP_APPLIST_H_
#define FENNIMAR_DESKTOP_APPLIST_H_

#include <QString>
#include <vector>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::desktop {

using AppItems = std::vector<_Fennimar_AppItem_>;

// The smallest key from 1 to `limit` that no item uses; empty when none is.
QString FreeKey(const AppItems& items, int limit);

// Why `item` cannot join `items` (a key outside 1 to `limit` or in use, a
// program already listed, no description), in words for the user; empty when
// it can. A `limit` of 0 accepts any key not in use. The program itself is
// checked by the dialog.
QString AddProblem(const AppItems& items, const _Fennimar_AppItem_& item, int limit);

bool SameItem(const _Fennimar_AppItem_& a, const _Fennimar_AppItem_& b);

// Makes the library's list `want`: keeps the longest beginning the two share
// (short of an item whose program appears again later, which the library
// could not tell apart), removes the rest and adds `want`'s rest.
_Fennimar_ReturnCode_ RewriteList(FennimarDllInterface& library, const AppItems& now,
                                  const AppItems& want);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_APPLIST_H_
