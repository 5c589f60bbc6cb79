// ConfigFolder - the user's configuration folder, where the registry stand-in
// and the default settings document live. The platform's backend reads it
// from the environment (posix/ConfigFolder.cpp); code outside the backends
// asks here instead of reading the environment itself.
#ifndef FENNIMAR_PLATFORM_CONFIGFOLDER_H_
#define FENNIMAR_PLATFORM_CONFIGFOLDER_H_

#include <string>

namespace fennimar::platform {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, without a
// trailing slash; read afresh at each call. False when neither names a folder.
bool UserConfigFolder(std::string* folder);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_CONFIGFOLDER_H_
