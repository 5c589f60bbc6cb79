#include "src/platform/win32/MsxmlSave.h"

#include <string>

#include "src/platform/win32/ComText.h"
#include "src/platform/win32/OpenFileReader.h"
#include "src/platform/win32/ReadOnly.h"
#include "src/platform/win32/StaleFiles.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/UniqueName.h"
#include "src/common/WideText.h"

namespace fennimar::platform {
namespace {

// The same marker every writer of the library puts after the target's name.
constexpr std::u16string_view kTemporaryMarker = u".fennimar-tmp";

// The documents are settings files; anything larger is not read back whole.
constexpr std::size_t kMaxSavedBytes = std::size_t{1} << 28;

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
  if (path.empty() || HasNul(path) || IsReadOnlyFile(path)) return false;
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

bool SaveToBytes(IXMLDOMDocument& document, std::string* bytes) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return false;
  const std::u16string path = FromWide(folder, length) + u"fennimar-saved" + UniqueSuffix();
  const Variant destination(path);
  bool read = false;
  if (SUCCEEDED(document.save(destination.get()))) {
    UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    read = file.valid() && ReadWholeOpenFile(file.get(), path, kMaxSavedBytes, bytes).ok();
  }
  ::DeleteFileW(Wide(path).c_str());
  return read;
}

}  // namespace fennimar::platform
