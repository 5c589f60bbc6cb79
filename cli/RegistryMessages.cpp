// The command's messages for a registry that failed: on Linux they name the
// registry file and the step of the file routine that failed, on Windows
// what could not be done to which key, with the system's own text.
#include <system_error>

#include "cli/Errors.h"
#include "cli/Locations.h"
#include "cli/RegistryStore.h"
#include "cli/Text.h"
#include "fennimar/Locations.h"
#include "src/common/Utf.h"

namespace fennimar::cli {
namespace {

using platform::HiveFileStep;

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

// What the command could not do.
std::string Doing(RegistryStep step, const std::u16string& key) {
  switch (step) {
    case RegistryStep::kCreate:
      return "cannot create " + Utf16ToUtf8(key);
    case RegistryStep::kSet:
      return "cannot set the value";
    case RegistryStep::kDeleteValue:
      return "cannot delete the value";
    case RegistryStep::kDeleteKey:
      return "cannot delete " + Utf16ToUtf8(key);
    case RegistryStep::kRead:
    case RegistryStep::kOpen:
      break;
  }
  return "cannot open " + Utf16ToUtf8(key);
}

}  // namespace

void FailRegistryFile(RegistryStep step, const platform::HiveFileFailure& failure,
                      const Status& status) {
  // No failure of the file: the registry refused a key or value name.
  if (failure.status.ok()) Fail(Exit::kUsage, status.message());
  const std::string path = Utf16ToUtf8(failure.path);
  if (step == RegistryStep::kRead) FailToRead(path, failure.status);
  FailToChange(path, failure.step, failure.status);
}

void FailSystemRegistry(RegistryStep step, const std::u16string& key, const std::string& text) {
  Fail(step == RegistryStep::kRead ? Exit::kDocument : Exit::kWrite,
       Doing(step, key) + ": " + text);
}

std::string InRegistry() {
  if (HasSystemRegistry()) return "in the registry";
  const std::string file = U8(FennimarLocations::RegistryFile());
  if (file.empty()) Fail(Exit::kUsage, std::string(NoConfigFolderText()) + "; give --document");
  return "in " + file;
}

const char* RegistryHelp() {
  return HasSystemRegistry()
             ? "The registry is the system's registry."
             : "The registry is kept in $XDG_CONFIG_HOME/fennimar/HKEY_CURRENT_USER.reg.";
}

}  // namespace fennimar::cli
