// AppListLimit - how many items the application list takes, for AddAppItem
// and for hosts (FennimarRules).
#ifndef FENNIMAR_STORE_APPLISTLIMIT_H_
#define FENNIMAR_STORE_APPLISTLIMIT_H_

#include <cstddef>

namespace fennimar {

// AddAppItem refuses to add when the list already yields this many items.
inline constexpr std::size_t kMaxApplications = 8;

}  // namespace fennimar

#endif  // FENNIMAR_STORE_APPLISTLIMIT_H_
