#include "src/platform/standin/registry/HiveFile.h"

#include <string>
#include <string_view>

#include "src/common/Utf.h"
#include "src/platform/ConfigFolder.h"
#include "src/platform/LockedChange.h"
#include "src/platform/standin/registry/FreshProfile.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::platform {
namespace {

constexpr std::u16string_view kHiveFolder = u"/fennimar";
constexpr std::u16string_view kHiveFile = u"/HKEY_CURRENT_USER.reg";
constexpr unsigned kHiveFileMode = 0600;

}  // namespace

Status HiveFilePath(std::u16string* path) {
  std::string folder;
  if (!UserConfigFolder(&folder)) {
    return Status::NotFound("neither XDG_CONFIG_HOME nor HOME names a folder for the registry");
  }
  *path = Utf8ToUtf16(folder);
  path->append(kHiveFolder).append(kHiveFile);
  return Status::Ok();
}

Status ReadHiveFile(FileSystem& files, const std::u16string& path, Hive* hive) {
  std::string bytes;
  const Status read = files.ReadFile(path, kMaxHiveBytes, &bytes);
  if (read.IsNotFound()) return AddFreshProfile(hive);
  if (read.code() == Status::Code::kTooLarge) {
    return Status::TooLarge(Utf16ToUtf8(path) + " is larger than a hive file may be");
  }
  if (!read.ok()) return read;
  return ParseHive(bytes, hive);
}

Status ChangeHiveFile(FileSystem& files, const std::u16string& path, const HiveChange& change,
                      HiveFileStep* failed) {
  Hive hive;
  FileChange steps;
  steps.read = [&] { return ReadHiveFile(files, path, &hive); };
  steps.change = [&](std::string* bytes, bool* write) {
    const Status changed = change(hive, write);
    if (changed.ok() && *write) *bytes = SerializeHive(hive);
    return changed;
  };
  steps.max_bytes = kMaxHiveBytes;
  steps.new_file_mode = kHiveFileMode;
  steps.create_folders = true;
  return ChangeFileLocked(files, path, steps, failed);
}

}  // namespace fennimar::platform
