#include "src/system/PasswordFile.h"

#include <cerrno>
#include <memory>
#include <string>

#include "src/platform/AtomicFile.h"
#include "src/platform/Services.h"

namespace fennimar {
namespace {

constexpr unsigned kNewFileMode = 0600;

char16_t ReverseNibbles(char16_t unit) {
  return static_cast<char16_t>((unit & 0x000F) << 12 | (unit & 0x00F0) << 4 |
                               (unit & 0x0F00) >> 4 | (unit & 0xF000) >> 12);
}

std::string LittleEndianBytes(const CString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.GetLength()) * 2);
  for (const char16_t unit : text.str()) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// The file's units, low byte first, up to the first zero unit; a final odd
// byte is the low byte of a last unit.
std::u16string StoredText(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    const auto unit = static_cast<char16_t>(low | high << 8);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

[[noreturn]] void Throw(const CString& file, const Status& status) {
  throw CFileException(file, status.os_error(), status.message());
}

}  // namespace

CString NibbleReverse(const CString& text) {
  std::u16string scrambled;
  for (const char16_t unit : std::u16string_view(text.GetString())) {
    scrambled.push_back(ReverseNibbles(unit));
  }
  return CString(scrambled);
}

void SavePasswordFile(const CString& file, const CString& password) {
  if (file.IsEmpty()) Throw(file, Status::NotFound("no password file is set", ENOENT));
  platform::FileSystem& files = *platform::CurrentServices().files;
  // Hold the present file, if any, so that a check running now sees it busy.
  std::unique_ptr<platform::FileLock> lock;
  const Status locked = files.LockExistingFile(file, &lock);
  if (!locked.ok() && !locked.IsNotFound()) Throw(file, locked);
  const Status written = platform::WriteFileAtomically(
      files, file, LittleEndianBytes(NibbleReverse(password)), kNewFileMode);
  if (!written.ok()) Throw(file, written);
}

_Fennimar_ReturnCode_ ValidatePasswordFile(const CString& file, const CString& candidate) {
  if (file.IsEmpty()) return RC_FILE_ERROR;
  platform::FileSystem& files = *platform::CurrentServices().files;
  std::unique_ptr<platform::FileLock> lock;
  if (!files.LockExistingFile(file, &lock).ok()) return RC_FILE_ERROR;
  // Only the candidate's length and one unit more decide the answer (the
  // stored text ends at a zero unit or the file's end), so a file of any
  // size is compared without reading it whole.
  const std::u16string scrambled = NibbleReverse(candidate).str();
  std::string bytes;
  const Status read = files.ReadFilePrefix(file, (scrambled.size() + 1) * 2, &bytes);
  if (!read.ok()) Throw(file, read);
  return StoredText(bytes) == scrambled ? RC_SUCCESS : RC_FAIL;
}

}  // namespace fennimar
