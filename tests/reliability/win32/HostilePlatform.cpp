// The catalogue's platform parts on Windows: the file index that tells a
// replaced file from the same one, and no peak measure (a process cannot
// reset its peak working set, so a huge input's peak cannot be told apart).
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/reliability/HostileInput.h"

namespace fennimar::hostile {

std::string FileIdentity(const fs::path& path) {
  // Opened with every sharing mode and no access, so as not to disturb the
  // library; a link is looked at itself.
  const HANDLE file = ::CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "unopenable";
  BY_HANDLE_FILE_INFORMATION info{};
  const bool got = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  if (!got) return "unknown";
  return std::to_string(info.dwVolumeSerialNumber) + ":" +
         std::to_string((std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
}

long PeakGrowthKb(const Input&, const std::function<void()>& run) {
  run();
  return 0;
}

// The system's XML component takes a byte order mark over the declared
// encoding, reads a declared windows-1252 document, and ignores a stray byte
// after a UTF-16 document's end.
bool PlatformReadsDocument(const std::string& name) {
  return name == "UTF-16LE mark, UTF-8 declared" || name == "declared windows-1252" ||
         name == "UTF-16LE, odd size";
}

}  // namespace fennimar::hostile
