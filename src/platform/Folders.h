// Folders - creating the folders a file is to be written in.
#ifndef FENNIMAR_PLATFORM_FOLDERS_H_
#define FENNIMAR_PLATFORM_FOLDERS_H_

#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

// Creates each missing folder of `folder`, from the top down; a drive's root
// ("C:\") is never created. A folder that another process creates meanwhile
// counts as made. Stops at the first folder that cannot be created and gives
// that failure.
Status CreateFolderChain(FileSystem& files, std::u16string_view folder);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_FOLDERS_H_
