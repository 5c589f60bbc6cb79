#include "cli/posix/HiveStore.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "cli/Errors.h"
#include "src/common/Utf.h"
#include "src/platform/AtomicFile.h"
#include "src/platform/posix/PosixBackends.h"

namespace fennimar::cli {
namespace {

constexpr unsigned kHiveFileMode = 0600;
constexpr const char* kLockSuffix = ".lock";

}  // namespace

HiveStore::HiveStore(std::string path)
    : path_(std::move(path)), files_(platform::NewPosixFileSystem()) {}

HiveStore::~HiveStore() = default;

platform::Hive HiveStore::Read() {
  platform::Hive hive;
  std::string bytes;
  const Status read = files_->ReadFile(Utf8ToUtf16(path_), platform::kMaxHiveBytes, &bytes);
  if (read.IsNotFound()) return hive;
  if (read.code() == Status::Code::kTooLarge) {
    Fail(Exit::kDocument, "the registry file " + path_ + " is larger than a hive file may be");
  }
  if (!read.ok()) Fail(Exit::kDocument, "cannot read the registry file: " + read.message());
  const Status parsed = platform::ParseHive(bytes, &hive);
  if (!parsed.ok()) {
    Fail(Exit::kDocument, "the registry file " + path_ + " cannot be parsed: " + parsed.message());
  }
  return hive;
}

void HiveStore::Change(const std::function<bool(platform::Hive&)>& change) {
  MakeFolders();
  std::unique_ptr<platform::FileLock> lock;
  const Status locked = files_->LockFile(Utf8ToUtf16(path_ + kLockSuffix), &lock);
  if (!locked.ok()) Fail(Exit::kWrite, "cannot lock the registry file: " + locked.message());
  platform::Hive hive = Read();
  if (!change(hive)) return;
  const std::string bytes = platform::SerializeHive(hive);
  if (bytes.size() > platform::kMaxHiveBytes) {
    Fail(Exit::kWrite, "the change would make the registry file " + path_ + " too large");
  }
  const Status written =
      platform::WriteFileAtomically(*files_, Utf8ToUtf16(path_), bytes, kHiveFileMode);
  if (!written.ok()) Fail(Exit::kWrite, "cannot write the registry file: " + written.message());
}

void HiveStore::MakeFolders() {
  const auto folder = std::filesystem::path(path_).parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    Fail(Exit::kWrite, "cannot create the folder " + folder.string() + ": " + error.message());
  }
}

}  // namespace fennimar::cli
