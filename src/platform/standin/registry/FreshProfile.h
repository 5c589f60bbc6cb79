// FreshProfile - what HKEY_CURRENT_USER holds before anything has changed it:
// the keys that Windows puts in every new user profile. A registry file that
// does not exist yet reads as this hive, so the first change writes these
// keys along with its own, and a new account finds the desktop's settings
// where programs expect them. A file that exists is never filled up.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_FRESHPROFILE_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_FRESHPROFILE_H_

#include "src/common/Status.h"
#include "src/platform/standin/registry/Hive.h"

namespace fennimar::platform {

// Adds the keys and values of a new profile to `hive`, keeping any it holds.
Status AddFreshProfile(Hive* hive);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_FRESHPROFILE_H_
