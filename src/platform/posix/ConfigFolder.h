// ConfigFolder - the user's configuration folder, where the registry stand-in
// and the default settings document live.
#ifndef FENNIMAR_PLATFORM_POSIX_CONFIGFOLDER_H_
#define FENNIMAR_PLATFORM_POSIX_CONFIGFOLDER_H_

#include <string>

namespace fennimar::platform {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, without a
// trailing slash; read afresh at each call. False when neither names a folder.
bool UserConfigFolder(std::string* folder);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_POSIX_CONFIGFOLDER_H_
