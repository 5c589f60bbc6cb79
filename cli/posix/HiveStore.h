// HiveStore - direct access to the registry stand-in's file, for `fennimar
// reg` and `fennimar reset`, through the same routine as the library's
// registry (src/platform/standin/registry/HiveFile.h), with the command's
// messages and exit codes.
#ifndef FENNIMAR_CLI_POSIX_HIVESTORE_H_
#define FENNIMAR_CLI_POSIX_HIVESTORE_H_

#include <functional>
#include <memory>
#include <string>

#include "src/platform/FileSystem.h"
#include "src/platform/standin/registry/HiveFile.h"

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
  std::string path_;
  std::unique_ptr<platform::FileSystem> files_;
};

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_POSIX_HIVESTORE_H_
