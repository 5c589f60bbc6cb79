// BenchServices - the platform services the benchmarks run the library on:
// the real file system, registry and DOM, except that waits are counted
// instead of slept (so that the deliberate waits are reported beside the
// work, not hidden in it) and files renamed into place are counted (one per
// save), and the module folder is one of the benchmark's own.
#ifndef FENNIMAR_BENCH_BENCHSERVICES_H_
#define FENNIMAR_BENCH_BENCHSERVICES_H_

#include <cstdint>
#include <memory>
#include <string>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/FakeServices.h"

namespace fennimar::bench {

class CountingSleeper : public platform::Sleeper {
 public:
  void SleepMilliseconds(unsigned milliseconds) override {
    ++waits;
    total_milliseconds += milliseconds;
  }
  std::uint64_t waits = 0;
  std::uint64_t total_milliseconds = 0;
};

// Forwards every call to `real`; counts the renames, which is how every
// atomic write ends.
class CountingFileSystem : public platform::FileSystem {
 public:
  explicit CountingFileSystem(platform::FileSystem& real) : real_(real) {}

  bool PathExists(std::u16string_view path) override;
  Status CreateDirectory(std::u16string_view path) override;
  Status Identify(std::u16string_view path, platform::FileIdentity* identity) override;
  Status ReadFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes) override;
  Status ReadSeenFile(std::u16string_view path, std::size_t max_bytes,
                      const platform::FileIdentity& seen, std::string* bytes) override;
  Status ReadFileIfChanged(std::u16string_view path, std::size_t max_bytes,
                           platform::FileIdentity* identity, std::string* bytes,
                           bool* read) override;
  Status CreateUniqueFile(std::u16string_view prefix, unsigned mode, std::u16string* created_path,
                          std::unique_ptr<platform::WritableFile>* file) override;
  Status RemoveStaleUniqueFiles(std::u16string_view prefix) override;
  Status RenameFile(std::u16string_view from, std::u16string_view to) override;
  Status RemoveFile(std::u16string_view path) override;
  Status SyncDirectory(std::u16string_view folder) override;
  Status GetPermissions(std::u16string_view path, unsigned* mode) override;
  Status ResolveLinks(std::u16string_view path, std::u16string* resolved) override;
  Status LockFile(std::u16string_view path, std::unique_ptr<platform::FileLock>* lock) override;
  Status LockExistingFile(std::u16string_view path,
                          std::unique_ptr<platform::FileLock>* lock) override;

  std::uint64_t renames = 0;

 private:
  platform::FileSystem& real_;
};

// Puts the counting services in place for its lifetime. The DOM is a fresh
// pugixml DOM of the library's own that reads and writes through the
// counting file system, so that document saves are counted too.
class BenchServices {
 public:
  // `module_file` names the host's module: its folder holds the template,
  // HWinfo.ini is looked up beside it.
  explicit BenchServices(const std::string& module_file);
  BenchServices(const BenchServices&) = delete;
  BenchServices& operator=(const BenchServices&) = delete;

  CountingSleeper& sleeper() { return sleeper_; }
  CountingFileSystem& files() { return files_; }

 private:
  CountingSleeper sleeper_;
  CountingFileSystem files_;
  testing::FixedModulePath module_;
  std::unique_ptr<platform::XmlDom> dom_;
  std::unique_ptr<platform::ScopedServices> scoped_;
};

// Snapshot of the counters, to report what one call did.
struct ServiceCounts {
  std::uint64_t waits = 0;
  std::uint64_t wait_milliseconds = 0;
  std::uint64_t renames = 0;
};
ServiceCounts CountsOf(BenchServices& services);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_BENCHSERVICES_H_
