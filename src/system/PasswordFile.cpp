#include "src/system/PasswordFile.h"

#include <cerrno>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "src/common/Utf16Bytes.h"
#include "src/platform/AtomicFile.h"

namespace fennimar {
namespace {

constexpr unsigned kNewFileMode = 0600;

// Hides a password unit from a casual look at the file: its four hex digits
// in reverse order.
char16_t ScrambleUnit(char16_t unit) {
  return static_cast<char16_t>((unit & 0x000F) << 12 | (unit & 0x00F0) << 4 |
                               (unit & 0x0F00) >> 4 | (unit & 0xF000) >> 12);
}

// The file's units, low byte first, up to the first zero unit; a final odd
// byte is the low byte of a last unit.
std::u16string StoredText(std::string bytes) {
  if (bytes.size() % 2 != 0) bytes.push_back('\0');
  std::u16string text = UnitsFromLittleEndian(bytes);
  text.resize(std::u16string_view(text.c_str()).size());
  return text;
}

[[noreturn]] void Throw(const CString& file, const Status& status) {
  throw CFileException(file, status.os_error(), status.message());
}

}  // namespace

CString ScramblePassword(const CString& text) {
  std::u16string scrambled;
  for (const char16_t unit : std::u16string_view(text.GetString())) {
    scrambled.push_back(ScrambleUnit(unit));
  }
  return CString(scrambled);
}

void SavePasswordFile(platform::FileSystem& files, const CString& file, const CString& password) {
  if (file.IsEmpty()) Throw(file, Status::NotFound("no password file is set", ENOENT));
  // Hold the present file, if any, so that a check running now sees it busy.
  std::unique_ptr<platform::FileLock> lock;
  const Status locked = files.LockExistingFile(file, &lock);
  if (!locked.ok() && !locked.IsNotFound()) Throw(file, locked);
  const Status written = platform::WriteFileAtomically(
      files, file, LittleEndianBytes(ScramblePassword(password).str()), kNewFileMode);
  if (!written.ok()) Throw(file, written);
}

_Fennimar_ReturnCode_ ValidatePasswordFile(platform::FileSystem& files, const CString& file,
                                           const CString& candidate) {
  if (file.IsEmpty()) return RC_FILE_ERROR;
  std::unique_ptr<platform::FileLock> lock;
  if (!files.LockExistingFile(file, &lock).ok()) return RC_FILE_ERROR;
  // Only the candidate's length and one unit more decide the answer (the
  // stored text ends at a zero unit or the file's end), so a file of any
  // size is compared without reading it whole.
  const std::u16string scrambled = ScramblePassword(candidate).str();
  std::string bytes;
  const Status read = files.ReadFilePrefix(file, (scrambled.size() + 1) * 2, &bytes);
  if (!read.ok()) Throw(file, read);
  return StoredText(std::move(bytes)) == scrambled ? RC_SUCCESS : RC_FAIL;
}

}  // namespace fennimar
