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
// A writer's save that does not reach the disk is reported: the change answers
// RC_FILE_ERROR, the reason is kept for LastSaveError, and the copy is loaded
// again from the file (or dropped, when the file cannot be loaded), so that no
// read shows a change that is not on disk. The copy thus never holds anything
// the file lacks, and the object writes nothing when it is destroyed.
#ifndef FENNIMAR_STORE_SHAREDDOCUMENT_H_
#define FENNIMAR_STORE_SHAREDDOCUMENT_H_

#include <memory>
#include <string>
#include <string_view>

#include "src/platform/Services.h"
#include "src/store/CXMLLogfile.h"

namespace fennimar {

// The lock file beside the document at `document_path`, links followed.
std::u16string LockPathOf(const platform::Services& services, std::u16string_view document_path);

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
  // Spares the logfile its final save: the file already holds the copy.
  ~SharedDocument();
  SharedDocument(const SharedDocument&) = delete;
  SharedDocument& operator=(const SharedDocument&) = delete;

  void Refresh();
  // Before a writer: RC_SUCCESS when it may go on; otherwise (the lock
  // released) RC_FAIL when the latest document cannot be loaded and
  // RC_FILE_ERROR when the lock cannot be taken.
  _Fennimar_ReturnCode_ BeginChange();
  // After the writer: false when its save did not reach the disk.
  bool EndChange();
  // "cannot save <document>: <reason>" for the last change whose save failed;
  // empty once a save has reached the disk.
  const std::u16string& LastSaveError() const { return last_save_error_; }
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
  void NoteFailure(const Status& status);

  CXMLLogfile& logfile_;
  platform::Services services_;
  std::u16string lock_path_;
  std::unique_ptr<platform::FileLock> lock_;
  int holds_ = 0;
  platform::FileIdentity identity_;
  std::string bytes_;
  std::u16string last_save_error_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_SHAREDDOCUMENT_H_
