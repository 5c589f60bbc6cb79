#include "src/store/CXMLLogfile.h"

#include <iterator>
#include <utility>

#include "src/common/Names.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/Folders.h"
#include "src/platform/Paths.h"
#include "src/platform/XmlDom.h"
#include "src/store/TemplateDocument.h"

namespace fennimar {
namespace {

constexpr unsigned kCopyWaitMilliseconds = 30;
// The load is tried once and then retried up to this many times.
constexpr int kMaxRetries = 11;
// A document or template the DOM could load is no larger than this.
constexpr std::size_t kMaxDocumentBytes = platform::kMaxXmlDocumentBytes;
constexpr unsigned kNewDocumentMode = 0644;
constexpr std::u16string_view kBackupSuffix = u".bak";
constexpr std::u16string_view kSectionNames[] = {
    names::kAppList, names::kGlobalSetting, names::kBackgroundSetting, names::kWorkspaceSetting};

// Callers pass the very constants above, which are recognised by address
// first; any other spelling of a name is compared unit by unit.
bool IsSectionName(std::u16string_view name, std::u16string_view section) {
  return (name.data() == section.data() && name.size() == section.size()) || name == section;
}

}  // namespace

CXMLLogfile::CXMLLogfile(const platform::Services& services, std::u16string_view document_path,
                         std::uint32_t first_use, const platform::DocumentSeen& seen)
    : services_(services), document_path_(document_path) {
  // The identity is taken before the load reads the file, so that a change
  // made in between shows at the close; its look also tells whether the
  // document exists.
  if (seen.known) {
    loaded_identity_ = seen.identity;
  } else {
    (void)services_.files->Identify(document_path, &loaded_identity_);
  }
  const bool exists = loaded_identity_.exists || services_.files->PathExists(document_path);
  if (!exists || first_use != 0) {
    InstallTemplate();
    loaded_identity_ = platform::FileIdentity();
  }
  thread_initialized_ = services_.dom->InitializeThread();
  LoadWithRetries();
  if (document_) FindSections();
}

CXMLLogfile::~CXMLLogfile() {
  if (document_) {
    if (final_save_) SaveUnlessSame();
    document_.reset();
  }
  if (thread_initialized_) services_.dom->UninitializeThread();
}

// Puts a fresh copy of the template at the document path, creating the
// folders on the way. Outcomes are not examined: a copy that failed shows as
// a document that cannot be loaded.
void CXMLLogfile::InstallTemplate() {
  CreateDirectoryChain(CString(platform::ParentFolder(document_path_)));
  template_path_ = CString(TemplateDocumentPath(services_));
  CopyTemplate();
  services_.sleeper->SleepMilliseconds(kCopyWaitMilliseconds);
}

// Copies the template over the document path. The copy is written as a new
// ordinary file, so it is writable even when the installed template is not.
void CXMLLogfile::CopyTemplate() const {
  if (template_path_.IsEmpty()) return;
  std::string bytes;
  if (!services_.files->ReadFile(template_path_, kMaxDocumentBytes, &bytes).ok()) return;
  BackUpDocument(bytes);
  (void)platform::WriteFileAtomically(*services_.files, document_path_, bytes, kNewDocumentMode);
}

// A first use replaces the user's document, so its bytes are first kept in
// "<document>.bak"; a new backup gets the document's permission bits, so a
// private document does not leave a readable copy. A document that holds
// the template's bytes is not copied: the backup then keeps the last user's
// document rather than a second copy of the template. The outcome is not
// examined; the template is installed either way, as a first use asks.
void CXMLLogfile::BackUpDocument(const std::string& template_bytes) const {
  std::string bytes;
  if (!services_.files->ReadFile(document_path_, kMaxDocumentBytes, &bytes).ok()) return;
  if (bytes == template_bytes || bytes == TemplateAsSaved()) return;
  unsigned mode = 0;
  if (!services_.files->GetPermissions(document_path_, &mode).ok()) mode = kNewDocumentMode;
  (void)platform::WriteFileAtomically(*services_.files, document_path_ + CString(kBackupSuffix),
                                      bytes, mode);
}

// Tries the load once and retries up to kMaxRetries times, copying the
// template again (when one was installed) and waiting before each retry.
// Once the thread cannot be prepared or no document can be created, the
// remaining rounds only copy and wait.
void CXMLLogfile::LoadWithRetries() {
  bool can_create = thread_initialized_;
  for (int attempt = 0; attempt <= kMaxRetries; ++attempt) {
    if (attempt > 0) {
      loaded_identity_ = platform::FileIdentity();
      CopyTemplate();
      services_.sleeper->SleepMilliseconds(kCopyWaitMilliseconds);
    }
    if (!can_create) continue;
    document_ = services_.dom->CreateDocument();
    can_create = document_ != nullptr;
    if (!document_) continue;
    (void)(loaded_identity_.exists ? document_->LoadSeen(document_path_, loaded_identity_)
                                   : document_->Load(document_path_));
    if (document_->DocumentElement()) return;
    document_.reset();
  }
}

CString CXMLLogfile::GetModuleDir() const { return CString(ModuleFolder(*services_.module)); }

void CXMLLogfile::CreateDirectoryChain(CString folder) const {
  (void)platform::CreateFolderChain(*services_.files, folder.str());
}

platform::XmlNode CXMLLogfile::FindSection(std::u16string_view name) const {
  if (!document_) return platform::XmlNode();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (IsSectionName(name, kSectionNames[i])) return sections_[i];
  }
  return document_->SelectSingleNode(document_->DocumentElement(), name);
}

void CXMLLogfile::FindSections() {
  static_assert(std::size(kSectionNames) == std::tuple_size_v<decltype(sections_)>);
  const platform::XmlNode root = document_->DocumentElement();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sections_[i] = document_->SelectSingleNode(root, kSectionNames[i]);
  }
}

void CXMLLogfile::Save() {
  if (!document_) return;
  if (!report_saves_) {
    (void)document_->Save(document_path_);
    return;
  }
  Status saved = SaveReporting();
  if (!save_outcome_ || save_outcome_->ok()) save_outcome_ = std::move(saved);
}

// The bytes the DOM's own save would write, written by the same atomic
// routine, so that the reason of a failure is known. A backend that cannot
// give the bytes saves for itself, and its failure has no named reason.
Status CXMLLogfile::SaveReporting() {
  std::string bytes;
  if (!document_->Serialize(&bytes)) {
    return document_->Save(document_path_) ? Status::Ok()
                                           : Status::IoError("the document could not be written");
  }
  return platform::WriteFileAtomically(*services_.files, document_path_, bytes, kNewDocumentMode);
}

std::optional<Status> CXMLLogfile::TakeSaveOutcome() {
  return std::exchange(save_outcome_, std::nullopt);
}

void CXMLLogfile::Discard() {
  document_.reset();
  sections_ = {};
}

// A document that changed nothing, on a file that is still the one it was
// loaded from, would write the same bytes again: the file is not even read.
void CXMLLogfile::SaveUnlessSame() {
  if (!document_) return;
  if (document_->SavesAsLoaded() && FileUnchangedSinceLoad()) return;
  std::string on_disk;
  if (services_.files->ReadFile(document_path_, kMaxDocumentBytes, &on_disk).ok() &&
      document_->SerializesTo(on_disk)) {
    return;
  }
  Save();
}

// The same file, size and times as before the load. A program that rewrote
// the file in place to the same size within one tick of the file system's
// clock goes unnoticed; the close then keeps its bytes rather than writing
// back those read before it, and nothing is lost either way.
bool CXMLLogfile::FileUnchangedSinceLoad() const {
  platform::FileIdentity now;
  return loaded_identity_.exists && services_.files->Identify(document_path_, &now).ok() &&
         now == loaded_identity_;
}

bool CXMLLogfile::Reload() {
  if (!thread_initialized_) return false;
  loaded_identity_ = platform::FileIdentity();
  std::unique_ptr<platform::XmlDocument> fresh = services_.dom->CreateDocument();
  if (!fresh || !fresh->Load(document_path_) || !fresh->DocumentElement()) return false;
  document_ = std::move(fresh);
  FindSections();
  return true;
}

// The template as this library writes it once loaded. A document that went
// through a first use and a save holds these bytes rather than the template's
// own, and it is no more the user's work than the template is. Empty when the
// DOM cannot give them.
// The backup is made before the constructor prepares its thread for the DOM,
// so this prepares the thread for itself (COM on Windows) and ends that again.
std::string CXMLLogfile::TemplateAsSaved() const {
  const bool initialized = services_.dom->InitializeThread();
  std::string bytes;
  {
    const std::unique_ptr<platform::XmlDocument> document = services_.dom->CreateDocument();
    if (!document || !document->Load(template_path_) || !document->Serialize(&bytes)) bytes.clear();
  }
  if (initialized) services_.dom->UninitializeThread();
  return bytes;
}

}  // namespace fennimar
