// The INI file service on POSIX systems: files are read whole through the
// FileSystem, edited in memory by IniText, and replaced in one step.

#include <cstddef>
#include <exception>
#include <memory>
#include <string>

#include "src/platform/LockedChange.h"
#include "src/platform/standin/StandIns.h"
#include "src/platform/standin/ini/IniText.h"

namespace fennimar::platform {
namespace {

// Far beyond any settings file; a larger file is treated as missing when read
// and is never rewritten, so a stray huge file cannot exhaust memory.
constexpr std::size_t kMaxFileBytes = 16u << 20;
constexpr unsigned kNewFileMode = 0644;

class TextIniFile : public IniFile {
 public:
  explicit TextIniFile(FileSystem& files) : files_(files) {}

  std::uint32_t GetInt(std::u16string_view file, std::u16string_view section,
                       std::u16string_view key, std::uint32_t default_value) override {
    try {
      std::string bytes;
      if (!files_.ReadFile(file, kMaxFileBytes, &bytes).ok()) return default_value;
      return ini::ReadInt(bytes, section, key, default_value);
    } catch (const std::exception&) {  // out of memory: as if unreadable
      return default_value;
    }
  }

  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    try {
      return LockedWrite(file, section, key, value);
    } catch (const std::exception&) {
      return false;
    }
  }

 private:
  // Under the file's lock (LockedChange.h), so that writers in other
  // processes take turns and none loses another's key. A missing file is
  // written anew.
  bool LockedWrite(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
    std::string bytes;
    FileChange steps;
    steps.read = [&] {
      const Status read = files_.ReadFile(file, kMaxFileBytes, &bytes);
      return read.IsNotFound() ? Status::Ok() : read;
    };
    steps.change = [&](std::string* updated, bool* write) {
      *write = ini::WriteValue(bytes, section, key, value, updated);
      return *write ? Status::Ok() : Status::Invalid("the file cannot take the value");
    };
    steps.new_file_mode = kNewFileMode;
    return ChangeFileLocked(files_, file, steps).ok();
  }

  FileSystem& files_;
};

}  // namespace

std::unique_ptr<IniFile> NewTextIniFile(FileSystem& files) {
  return std::make_unique<TextIniFile>(files);
}

}  // namespace fennimar::platform
