// HiveFile - the registry file on disk, for the library's registry stand-in
// and the fennimar command alike: where it lives, how it is read and how it
// is changed.
//
// A read takes the file as it is; a missing file is a new user's profile
// (FreshProfile.h), which the first change writes. A change
// reads, changes and writes the file under a lock file beside it
// (LockedChange.h), written atomically: processes that change different values
// lose none of them, and a file that cannot be parsed is never overwritten.
#ifndef FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFILE_H_
#define FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFILE_H_

#include <functional>
#include <string>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"
#include "src/platform/LockedChange.h"
#include "src/platform/standin/registry/Hive.h"

namespace fennimar::platform {

// $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg ($HOME/.config/... when
// XDG_CONFIG_HOME is unset, empty or not absolute), found afresh at each call.
// kNotFound when neither variable names a folder.
Status HiveFilePath(std::u16string* path);

// Reads the file at `path` into the empty `hive`; a missing file gives a new
// profile's keys. kTooLarge when the file is larger
// than a hive file may be, kCorrupt (with the parser's message) when it
// cannot be parsed; any other failure is the file service's.
Status ReadHiveFile(FileSystem& files, const std::u16string& path, Hive* hive);

// Modifies the hive; sets `*write` when the file is to be written back.
using HiveChange = std::function<Status(Hive& hive, bool* write)>;

// The step of a change that failed.
using HiveFileStep = ChangeStep;

// Changes the file as ChangeFileLocked does (LockedChange.h), its folders
// made first: reads it, lets `change` modify the hive and writes it back
// when `change` asks to. A hive grown
// larger than a hive file may be is not written (kTooLarge). On failure
// `*failed` (when given) names the step; whatever `change` throws leaves the
// file as it was.
Status ChangeHiveFile(FileSystem& files, const std::u16string& path, const HiveChange& change,
                      HiveFileStep* failed = nullptr);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_STANDIN_REGISTRY_HIVEFILE_H_
