// StaleFiles - finds the files FileSystem::CreateUniqueFile made for a prefix
// whose creating process has ended, and removes them.
#ifndef FENNIMAR_PLATFORM_WIN32_STALEFILES_H_
#define FENNIMAR_PLATFORM_WIN32_STALEFILES_H_

#include <string_view>

#include "src/common/Status.h"

namespace fennimar::platform {

// Removes the files named as UniqueNames.h makes them for `prefix` whose
// creating process has ended. Other names, and files of processes still
// running, are kept.
Status RemoveFilesOfEndedCreators(std::u16string_view prefix);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_STALEFILES_H_
