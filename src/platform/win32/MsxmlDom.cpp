// MsxmlDom - the DOM on the system's component, reached through COM. Each
// thread that uses documents enters a single-threaded apartment first.
#include <objbase.h>

#include <memory>
#include <vector>

#include "src/platform/win32/MsxmlDocument.h"
#include "src/platform/win32/MsxmlGuids.h"
#include "src/platform/win32/Win32Api.h"
#include "src/platform/win32/Win32Backends.h"

namespace fennimar::platform {
namespace {

// One entry per successful InitializeThread on this thread: whether COM was
// entered by that call and so must be left by the matching uninitialize. A
// thread already in the multithreaded apartment can use the component but
// must not be uninitialized by us.
thread_local std::vector<bool> t_owes_uninitialize;

class MsxmlDom : public XmlDom {
 public:
  explicit MsxmlDom(FileSystem& files) : files_(files) {}

  bool InitializeThread() override {
    const HRESULT result = ::CoInitialize(nullptr);
    if (result == RPC_E_CHANGED_MODE) {
      t_owes_uninitialize.push_back(false);
      return true;
    }
    if (FAILED(result)) return false;
    t_owes_uninitialize.push_back(true);  // S_OK and S_FALSE both count
    return true;
  }

  void UninitializeThread() override {
    if (t_owes_uninitialize.empty()) return;
    const bool owed = t_owes_uninitialize.back();
    t_owes_uninitialize.pop_back();
    if (owed) ::CoUninitialize();
  }

  std::unique_ptr<XmlDocument> CreateDocument() override {
    ComPtr<IXMLDOMDocument> document;
    const HRESULT result =
        ::CoCreateInstance(msxml::kClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                           msxml::kIidXmlDomDocument, reinterpret_cast<void**>(document.Put()));
    if (FAILED(result) || !document) return nullptr;
    return NewMsxmlDocument(std::move(document), files_);
  }

 private:
  FileSystem& files_;
};

}  // namespace

std::unique_ptr<XmlDom> NewMsxmlDom(FileSystem& files) { return std::make_unique<MsxmlDom>(files); }

}  // namespace fennimar::platform
