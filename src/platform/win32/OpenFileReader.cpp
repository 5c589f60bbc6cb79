#include "src/platform/win32/OpenFileReader.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "src/platform/win32/Win32Status.h"

namespace fennimar::platform {
namespace {

constexpr DWORD kReadChunk = 64 * 1024;

// The file may grow between the measure and the read; the limit holds for
// what is actually read.
Status ReadToEnd(HANDLE file, std::u16string_view path, std::size_t expected,
                 std::size_t max_bytes, std::string* bytes) {
  std::string content;
  content.reserve(expected);
  std::string chunk(kReadChunk, '\0');
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, chunk.data(), kReadChunk, &got, nullptr)) {
      return LastErrorStatus("ReadFile", path);
    }
    if (got == 0) break;
    if (content.size() + got > max_bytes) {
      return Status::TooLarge("read: larger than " + std::to_string(max_bytes));
    }
    content.append(chunk.data(), got);
  }
  *bytes = std::move(content);
  return Status::Ok();
}

}  // namespace

Status ReadWholeOpenFile(HANDLE file, std::u16string_view path, std::size_t max_bytes,
                         std::string* bytes) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) return LastErrorStatus("GetFileSizeEx", path);
  if (static_cast<std::uint64_t>(size.QuadPart) > max_bytes) {
    return Status::TooLarge("read: " + std::to_string(size.QuadPart) + " bytes, more than " +
                            std::to_string(max_bytes));
  }
  const LARGE_INTEGER start{};
  if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
    return LastErrorStatus("SetFilePointerEx", path);
  }
  return ReadToEnd(file, path, static_cast<std::size_t>(size.QuadPart), max_bytes, bytes);
}

Status ReadOpenFilePrefix(HANDLE file, std::u16string_view path, std::size_t max_bytes,
                          std::string* bytes) {
  const LARGE_INTEGER start{};
  if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
    return LastErrorStatus("SetFilePointerEx", path);
  }
  std::string content(max_bytes, '\0');
  std::size_t filled = 0;
  while (filled < max_bytes) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(max_bytes - filled, kReadChunk));
    DWORD got = 0;
    if (!::ReadFile(file, content.data() + filled, want, &got, nullptr)) {
      return LastErrorStatus("ReadFile", path);
    }
    if (got == 0) break;
    filled += got;
  }
  content.resize(filled);
  *bytes = std::move(content);
  return Status::Ok();
}

}  // namespace fennimar::platform
