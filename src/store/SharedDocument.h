// SharedDocument - the settings document shared with other programs: the
// object's copy follows the file, and each change is made on the latest file
// under the document's change lock (see DocumentLocks.h).
//
// A reader first compares the file's identity with the one it saw last and,
// when it differs, loads the file again; a file that cannot be loaded leaves
// the last good copy in place (and is tried again at the next read). A writer
// takes the lock, compares the file's bytes with those it saw last, loads it
// again when they differ, and answers "not ready" when the latest file cannot
// be loaded: nothing is then changed or written. After the writer's save the
// file's identity and bytes are noted again and the lock is released. A hold
// keeps the lock across several calls, so that a read, a change and a write
// are one step.
//
// The final save writes only what the file lacks: when another program has
// saved since this object last did, it writes nothing.
#ifndef FENNIMAR_STORE_SHAREDDOCUMENT_H_
#define FENNIMAR_STORE_SHAREDDOCUMENT_H_

#include <memory>
#include <string>
#include <string_view>

#include "src/platform/Services.h"
#include "src/store/CXMLLogfile.h"

namespace fennimar {

// The lock file beside the document at `document_path`.
std::u16string LockPathOf(std::u16string_view document_path);

// Takes the change lock of the document at `document_path`, creating its
// folders first so that the lock file can be made; null when it cannot be
// taken.
std::unique_ptr<platform::FileLock> LockDocument(const platform::Services& services,
                                                 std::u16string_view document_path);

class SharedDocument {
 public:
  // `logfile` has just been built under the change lock; its file is noted as
  // the one last seen.
  SharedDocument(CXMLLogfile& logfile, const platform::Services& services);
  // Makes the final save under the lock and spares the logfile its own.
  ~SharedDocument();
  SharedDocument(const SharedDocument&) = delete;
  SharedDocument& operator=(const SharedDocument&) = delete;

  void Refresh();
  // Before a writer: false (the lock released) when it must not write.
  bool BeginChange();
  // After the writer's save.
  void EndChange();
  void Hold();
  void Release();
  // True when an object that keeps a private copy holds the document.
  bool PrivateCopiesOpen();

 private:
  bool TakeLock();
  void DropLockUnlessHeld();
  // Under the lock: loads the file again when its bytes differ from those
  // last seen; false when it differs and cannot be loaded.
  bool CatchUp();
  void NoteFile();

  CXMLLogfile& logfile_;
  platform::Services services_;
  std::u16string lock_path_;
  std::unique_ptr<platform::FileLock> lock_;
  int holds_ = 0;
  platform::FileIdentity identity_;
  std::string bytes_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_SHAREDDOCUMENT_H_
