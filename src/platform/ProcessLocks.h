// ProcessLocks - the change lock of a document as the whole process's: the
// operating system's lock belongs to an open file, so two objects of one
// process on one document would exclude each other, and a thread holding it
// through one object would wait for ever for it through another. Here the
// process takes the system's lock once per lock file and counts who holds it:
// the thread that holds it takes it again at once, another thread of the
// process waits (or, without waiting, is told kBusy), as another process does.
//
// Lock files are told apart by their identity (volume and file number), so
// every path that names one lock file names one lock.
#ifndef FENNIMAR_PLATFORM_PROCESSLOCKS_H_
#define FENNIMAR_PLATFORM_PROCESSLOCKS_H_

#include <memory>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/DocumentLocks.h"

namespace fennimar::platform {

// Takes the exclusive change lock of the lock file at `path` (created when
// missing) through `locks`, knowing the file through `files`, re-entrantly within the calling thread. The
// destructor of `*lock` gives it up; the system's lock goes with the last one.
Status LockChangeForProcess(FileSystem& files, DocumentLocks& locks, std::u16string_view path,
                            bool wait, std::unique_ptr<FileLock>* lock);

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_PROCESSLOCKS_H_
