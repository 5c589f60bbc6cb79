// CXMLLogfile - the settings document: makes sure the file exists (installing
// the template when it is missing or on a first use), loads it once into an
// in-memory DOM document, and writes it back on every change and once more
// when it is destroyed.
//
// A first use that replaces a document other than the template keeps the
// replaced bytes beside it, in "<document>.bak".
//
// After construction the object is loaded (a document with a root element)
// or empty; only Reload, which shared documents use, loads it again. In the
// empty state every section lookup finds nothing and the destructor writes
// nothing. The destructor's save is skipped when the file already holds the
// very bytes it would write, so that an object that only read never rewrites
// the file. It must be destroyed on the thread that constructed it.
#ifndef FENNIMAR_STORE_CXMLLOGFILE_H_
#define FENNIMAR_STORE_CXMLLOGFILE_H_

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "fennimar/FennimarDllInterface.h"
#include "src/platform/Services.h"

namespace fennimar {

class CXMLLogfile {
 public:
  // `first_use` other than 0 makes the document start again from the
  // template even when the file exists. Works on `services` (files, DOM,
  // module path, waits) for its whole life. Never fails visibly. `seen` is
  // the document as the caller saw it just now, when it looked.
  CXMLLogfile(const platform::Services& services, std::u16string_view document_path,
              std::uint32_t first_use, const platform::DocumentSeen& seen = {});
  virtual ~CXMLLogfile();
  CXMLLogfile(const CXMLLogfile&) = delete;
  CXMLLogfile& operator=(const CXMLLogfile&) = delete;

  // The folder of the host's module, ending with a separator; empty when the
  // module's file name has none.
  CString GetModuleDir() const;
  // Creates each missing folder of `folder`, from the top down, stopping at
  // the first one that cannot be created. Reports nothing.
  void CreateDirectoryChain(CString folder) const;

  bool IsLoaded() const { return document_ != nullptr; }
  // The loaded document, or null when the object is empty.
  platform::XmlDocument* document() const { return document_.get(); }
  // The first child element of the root with this name; none when there is
  // no such section or no document.
  platform::XmlNode FindSection(std::u16string_view name) const;
  // Writes the whole document to its path. A failed save leaves the file as
  // it was and is not reported, unless ReportSaves was called.
  void Save();
  // Saves unless the file already holds exactly the bytes the save would write.
  void SaveUnlessSame();
  // From now on every Save keeps its outcome, with the reason of a failure,
  // for TakeSaveOutcome. Shared documents report failed saves.
  void ReportSaves() { report_saves_ = true; }
  // The outcome of the saves made since the last call, and forgets it: the
  // first failure, or Ok when none failed; nothing when no save was made.
  std::optional<Status> TakeSaveOutcome();
  // Loads the file again into a new document, which replaces the one held
  // when it has a root element; otherwise nothing changes and false.
  bool Reload();
  // Drops the loaded document: the object is empty until the next Reload.
  void Discard();
  // The destructor will not save (its owner has made the final save).
  void SkipFinalSave() { final_save_ = false; }
  const CString& path() const { return document_path_; }

 private:
  void InstallTemplate();
  void CopyTemplate() const;
  void BackUpDocument(const std::string& template_bytes) const;
  std::string TemplateAsSaved() const;
  void LoadWithRetries();
  bool FileUnchangedSinceLoad() const;

  void FindSections();
  Status SaveReporting();

  // The four sections, looked up once the document is loaded, found or not.
  // The library never adds, removes or renames a child of the root, so they
  // stay right until the next load; readers called on every refresh then skip
  // the search.
  std::array<platform::XmlNode, 4> sections_;

  platform::Services services_;
  CString document_path_;
  CString template_path_;
  std::unique_ptr<platform::XmlDocument> document_;
  // The file as found just before the first load read it; none after a
  // retry or a reload.
  platform::FileIdentity loaded_identity_;
  bool thread_initialized_ = false;
  bool final_save_ = true;
  bool report_saves_ = false;
  std::optional<Status> save_outcome_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_CXMLLOGFILE_H_
