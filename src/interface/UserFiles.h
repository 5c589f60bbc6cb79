// UserFiles - where this user's own files of the library live, by the
// platform's rule, for FennimarLocations: the default settings document and
// the registry file. Each is found afresh at each call; empty when the
// environment names no configuration folder (or, for the registry file, when
// the registry is the system's own).
#ifndef FENNIMAR_INTERFACE_USERFILES_H_
#define FENNIMAR_INTERFACE_USERFILES_H_

#include <string>

namespace fennimar {

// The user's configuration folder, without a trailing separator.
std::u16string UserConfigFolder();

// The registry file of the registry stand-in.
std::u16string UserRegistryFile();

}  // namespace fennimar

#endif  // FENNIMAR_INTERFACE_USERFILES_H_
