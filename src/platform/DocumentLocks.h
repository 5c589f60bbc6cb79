// DocumentLocks - what lets several programs share one settings document: a
// lock file beside the document with two independent locks in it. (A program
// notices that another one replaced or changed the document by its identity,
// FileSystem::Identify.)
//
// The change lock is taken exclusively by a program for the time of one
// change (read the latest document, change it, save it). The presence lock is
// taken shared by every program that keeps a private copy of the document for
// its lifetime; a program that can take it exclusively, without waiting,
// knows that no such program runs (for the presence lock that exclusive take
// is only a question: a backend may answer it without holding anything). Locks
// are held by an open file, never by a thread or a process id: two open files
// of one process exclude each other like two processes (ProcessLocks.h makes
// the change lock the process's), and a process that dies, however it dies,
// releases its locks.
#ifndef FENNIMAR_PLATFORM_DOCUMENTLOCKS_H_
#define FENNIMAR_PLATFORM_DOCUMENTLOCKS_H_

#include <memory>
#include <string_view>

#include "src/common/Status.h"
#include "src/platform/FileSystem.h"

namespace fennimar::platform {

enum class LockKind { kShared, kExclusive };

// The document as a backend saw it on the way to its presence lock: `known`
// when it looked, and then its identity (a missing document does not exist).
struct DocumentSeen {
  bool known = false;
  FileIdentity identity;
};
enum class LockSlot { kChange, kPresence };

class DocumentLocks {
 public:
  virtual ~DocumentLocks() = default;
  // Takes one of the two locks of the lock file at `path`. The change lock
  // creates the file when it is missing; the presence lock creates nothing
  // (a backend may lock a place in the folder that holds the file instead,
  // one for each name). With `wait` the call waits for conflicting holders;
  // without, it answers kBusy while one holds the lock. The destructor of
  // `*lock` releases it.
  virtual Status Lock(std::u16string_view path, LockSlot slot, LockKind kind, bool wait,
                      std::unique_ptr<FileLock>* lock) = 0;
  // Takes the presence lock of the document at `document_path`: Lock of its
  // lock file (DocumentLockFile, with `files`) in the presence slot. A
  // backend may find the same lock with fewer steps; one that looks at the
  // document on the way says what it saw in `*seen` (may be null).
  virtual Status LockPresence(FileSystem& files, std::u16string_view document_path, LockKind kind,
                              bool wait, std::unique_ptr<FileLock>* lock,
                              DocumentSeen* seen);
  // True when the user asked, for hosts that do not choose themselves, that
  // objects share their document: FENNIMAR_SHARED=1 in the environment.
  virtual bool SharingRequested() = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_DOCUMENTLOCKS_H_
