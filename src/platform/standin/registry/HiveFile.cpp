#include "src/platform/standin/registry/HiveFile.h"

#include <memory>
#include <string>
#include <string_view>

#include "src/common/Utf.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/ConfigFolder.h"
#include "src/platform/Folders.h"
#include "src/platform/Paths.h"
#include "src/platform/standin/registry/FreshProfile.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::platform {
namespace {

constexpr std::u16string_view kHiveFolder = u"/fennimar";
constexpr std::u16string_view kHiveFile = u"/HKEY_CURRENT_USER.reg";
constexpr std::u16string_view kLockSuffix = u".lock";
constexpr unsigned kHiveFileMode = 0600;

Status Failed(HiveFileStep step, HiveFileStep* failed, Status status) {
  if (failed != nullptr) *failed = step;
  return status;
}

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
  if (Status made = CreateFolderChain(files, ParentFolder(path)); !made.ok()) {
    return Failed(HiveFileStep::kFolder, failed, made);
  }
  std::unique_ptr<FileLock> lock;
  if (Status locked = files.LockFile(path + std::u16string(kLockSuffix), &lock); !locked.ok()) {
    return Failed(HiveFileStep::kLock, failed, locked);
  }
  Hive hive;
  if (Status read = ReadHiveFile(files, path, &hive); !read.ok()) {
    return Failed(HiveFileStep::kRead, failed, read);
  }
  bool write = false;
  if (Status changed = change(hive, &write); !changed.ok() || !write) {
    return changed.ok() ? changed : Failed(HiveFileStep::kChange, failed, changed);
  }
  const std::string bytes = SerializeHive(hive);
  if (bytes.size() > kMaxHiveBytes) {
    return Failed(HiveFileStep::kWrite, failed,
                  Status::TooLarge("the change would make " + Utf16ToUtf8(path) + " too large"));
  }
  const Status written = WriteFileAtomically(files, path, bytes, kHiveFileMode);
  return written.ok() ? written : Failed(HiveFileStep::kWrite, failed, written);
}

}  // namespace fennimar::platform
