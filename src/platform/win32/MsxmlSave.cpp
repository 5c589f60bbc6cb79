#include "src/platform/win32/MsxmlSave.h"

#include <objbase.h>

#include <string>

#include "src/platform/win32/ComPtr.h"

namespace fennimar::platform {
namespace {

// Copies what was written to the stream: its size is what Stat reports, the
// memory block behind it may be larger.
bool CopyOut(IStream& stream, std::string* bytes) {
  STATSTG status{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream.Stat(&status, STATFLAG_NONAME)) ||
      FAILED(::GetHGlobalFromStream(&stream, &memory)) || status.cbSize.HighPart != 0) {
    return false;
  }
  const std::size_t size = status.cbSize.LowPart;
  if (size == 0) {
    bytes->clear();
    return true;
  }
  const void* data = ::GlobalLock(memory);
  if (data == nullptr) return false;
  bytes->assign(static_cast<const char*>(data), size);
  ::GlobalUnlock(memory);
  return true;
}

}  // namespace

bool SaveToBytes(IXMLDOMDocument& document, std::string* bytes) {
  ComPtr<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, /*fDeleteOnRelease=*/TRUE, stream.Put()))) {
    return false;
  }
  VARIANT destination;
  ::VariantInit(&destination);
  destination.vt = VT_UNKNOWN;
  destination.punkVal = stream.Get();  // the call takes its own reference
  return SUCCEEDED(document.save(destination)) && CopyOut(*stream.Get(), bytes);
}

}  // namespace fennimar::platform
