#include "cli/posix/HiveStore.h"

#include <system_error>
#include <utility>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "src/common/Utf.h"
#include "src/platform/posix/PosixBackends.h"

namespace fennimar::cli {
namespace {

using platform::HiveFileStep;

// The messages of a file that cannot be read or parsed.
[[noreturn]] void FailToRead(const std::string& path, const Status& read) {
  if (read.code() == Status::Code::kTooLarge) {
    Fail(Exit::kDocument, "the registry file " + path + " is larger than a hive file may be");
  }
  if (read.code() == Status::Code::kCorrupt) {
    Fail(Exit::kDocument, "the registry file " + path + " cannot be parsed: " + read.message());
  }
  Fail(Exit::kDocument, "cannot read the registry file: " + read.message());
}

[[noreturn]] void FailToChange(const std::string& path, HiveFileStep step, const Status& status) {
  switch (step) {
    case HiveFileStep::kFolder:
      Fail(Exit::kWrite, "cannot create the folder " + FolderOf(path) + ": " +
                             std::system_category().message(status.os_error()));
    case HiveFileStep::kLock:
      Fail(Exit::kWrite, "cannot lock the registry file: " + status.message());
    case HiveFileStep::kRead:
      FailToRead(path, status);
    case HiveFileStep::kChange:
    case HiveFileStep::kWrite:
      break;
  }
  if (status.code() == Status::Code::kTooLarge) {
    Fail(Exit::kWrite, "the change would make the registry file " + path + " too large");
  }
  Fail(Exit::kWrite, "cannot write the registry file: " + status.message());
}

}  // namespace

HiveStore::HiveStore(std::string path)
    : path_(std::move(path)), files_(platform::NewPosixFileSystem()) {}

HiveStore::~HiveStore() = default;

platform::Hive HiveStore::Read() {
  platform::Hive hive;
  const Status read = platform::ReadHiveFile(*files_, Utf8ToUtf16(path_), &hive);
  if (!read.ok()) FailToRead(path_, read);
  return hive;
}

void HiveStore::Change(const std::function<bool(platform::Hive&)>& change) {
  HiveFileStep failed = HiveFileStep::kChange;
  const Status changed = platform::ChangeHiveFile(
      *files_, Utf8ToUtf16(path_),
      [&](platform::Hive& hive, bool* write) {
        *write = change(hive);
        return Status::Ok();
      },
      &failed);
  if (!changed.ok()) FailToChange(path_, failed, changed);
}

}  // namespace fennimar::cli
