// StaleFiles - a process has ended when it can no longer be opened, or when
// it can and its exit code is set. A process we may not open (access denied)
// still runs. A reused process id only keeps a file longer.
#include "src/platform/win32/StaleFiles.h"

#include <memory>
#include <string>

#include "src/common/WideText.h"
#include "src/platform/Paths.h"
#include "src/platform/UniqueNames.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/Win32Api.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::platform {
namespace {

bool HasEnded(DWORD process_id) {
  UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process.valid()) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD exit_code = 0;
  return ::GetExitCodeProcess(process.get(), &exit_code) && exit_code != STILL_ACTIVE;
}

// Closes a FindFirstFileW search when it goes.
struct FindCloser {
  void operator()(HANDLE search) const { ::FindClose(search); }
};
using UniqueSearch = std::unique_ptr<void, FindCloser>;

}  // namespace

Status RemoveFilesOfEndedCreators(std::u16string_view prefix) {
  // Windows takes either slash for a separator, so the name is what follows
  // the last of them.
  const std::size_t cut = prefix.find_last_of(u"\\/");
  const std::u16string folder(cut == std::u16string_view::npos ? u"" : prefix.substr(0, cut));
  const std::u16string name(prefix.substr(cut == std::u16string_view::npos ? 0 : cut + 1));
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = Wide(prefix) + L".*";
  const HANDLE first = ::FindFirstFileW(pattern.c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? Status::Ok()
                                         : Win32Status("FindFirstFileW", prefix, error);
  }
  const UniqueSearch search(first);
  Status status;
  do {
    const std::u16string entry = FromWide(found.cFileName, wcslen(found.cFileName));
    const DWORD creator = CreatorOfUniqueName(entry, name);
    if (creator == 0 || !HasEnded(creator)) continue;
    const std::u16string path = folder.empty() ? entry : folder + PathSeparator() + entry;
    // Another writer may have removed it meanwhile; that is as good.
    if (!::DeleteFileW(Wide(path).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND &&
        status.ok()) {
      status = LastErrorStatus("DeleteFileW", path);
    }
  } while (::FindNextFileW(search.get(), &found));
  return status;
}

}  // namespace fennimar::platform
