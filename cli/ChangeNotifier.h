// ChangeNotifier - what `fennimar watch` needs of the operating system: to
// sleep until a settings file or registry key may have changed, or until the
// watch must end, and to read a file without getting in the way of a writer
// that replaces it.
//
// Files are watched through their folders, not their inodes, so a file that
// is replaced by a rename, or deleted and created again, stays watched; a
// folder that does not exist yet is waited for through the nearest folder
// above it that does. A wake-up only says "look again": the caller compares
// what it reads with what it read before.
//
// Linux: inotify, with SIGINT and SIGTERM taken as requests to end and
// SIGPIPE ignored. Windows: ReadDirectoryChangesW on the folders,
// RegNotifyChangeKeyValue on the registry keys, and a console control
// handler for Ctrl-C, Ctrl-Break and closing the console.
#ifndef FENNIMAR_CLI_CHANGENOTIFIER_H_
#define FENNIMAR_CLI_CHANGENOTIFIER_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fennimar::cli {

struct WatchTargets {
  std::vector<std::string> files;  // full paths, UTF-8
  // Keys below HKEY_CURRENT_USER ("Control Panel\Desktop"), on Windows; on
  // Linux the registry stand-in is one of the files.
  std::vector<std::u16string> registry_keys;
};

class ChangeNotifier {
 public:
  enum class Wake { kChanged, kStop };

  virtual ~ChangeNotifier() = default;

  // Blocks until a target may have changed (kChanged; everything that
  // happened meanwhile is taken in at once) or until the watch must end
  // (kStop): a request to end, or standard output closed by its reader
  // (on Windows that shows only when the next line cannot be written).
  virtual Wake Wait() = 0;
};

// Starts watching; fails (write) when the system refuses.
std::unique_ptr<ChangeNotifier> WatchForChanges(const WatchTargets& targets);

// The whole file, read so that a writer may replace or delete it meanwhile;
// nullopt when it cannot be read (missing, no access).
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_CHANGENOTIFIER_H_
