#include "src/platform/win32/MsxmlSave.h"

#include <string>

#include "src/platform/win32/ComText.h"
#include "src/platform/win32/StaleFiles.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/UniqueName.h"
#include "src/platform/win32/WideText.h"

namespace fennimar::platform {
namespace {

// The same marker every writer of the library puts after the target's name.
constexpr std::u16string_view kTemporaryMarker = u".fennimar-tmp";

// DOMDocument::save writes and closes the file but does not flush it.
bool FlushToDisk(const std::u16string& path) {
  UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && ::FlushFileBuffers(file.get()) && file.Close();
}

bool SaveTemporary(IXMLDOMDocument& document, const std::u16string& temporary) {
  const Variant destination(temporary);
  return SUCCEEDED(document.save(destination.get())) && FlushToDisk(temporary);
}

}  // namespace

bool SaveAtomically(IXMLDOMDocument& document, std::u16string_view path) {
  if (path.empty() || HasNul(path)) return false;
  std::u16string prefix(path);
  prefix += kTemporaryMarker;
  (void)RemoveFilesOfEndedCreators(prefix);  // housekeeping; never stops the save
  const std::u16string temporary = prefix + UniqueSuffix();
  if (SaveTemporary(document, temporary) &&
      ::MoveFileExW(Wide(temporary).c_str(), Wide(path).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileW(Wide(temporary).c_str());
  return false;
}

}  // namespace fennimar::platform
