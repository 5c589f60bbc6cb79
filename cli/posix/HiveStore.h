// HiveStore - direct access to the registry stand-in's file, for `fennimar
// reg` and `fennimar reset`. It works as the library's registry does: a read
// takes the file as it is (a missing file is an empty hive); a change reads,
// changes and writes the file under the same lock file (hive + ".lock"),
// written atomically, so it never loses another process's change and never
// overwrites a file it cannot parse.
#ifndef FENNIMAR_CLI_POSIX_HIVESTORE_H_
#define FENNIMAR_CLI_POSIX_HIVESTORE_H_

#include <functional>
#include <memory>
#include <string>

#include "src/platform/FileSystem.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::cli {

class HiveStore {
 public:
  // The hive file at `path`.
  explicit HiveStore(std::string path);
  ~HiveStore();
  HiveStore(const HiveStore&) = delete;
  HiveStore& operator=(const HiveStore&) = delete;

  const std::string& path() const { return path_; }

  // Fails (document) when the file cannot be read or parsed.
  platform::Hive Read();
  // Calls `change` on the hive under the lock and writes the hive back when
  // it returns true. Fails (document) when the file cannot be parsed, (write)
  // when it cannot be written; whatever `change` throws leaves the file as
  // it was.
  void Change(const std::function<bool(platform::Hive&)>& change);

 private:
  void MakeFolders();

  std::string path_;
  std::unique_ptr<platform::FileSystem> files_;
};

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_POSIX_HIVESTORE_H_
