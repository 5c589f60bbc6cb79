// FaultInjectingFileSystem - forwards every call to another FileSystem,
// counts and logs each operation, and makes chosen calls fail with a real
// error number, the way a full disk or a failing device would.
//
// CallBefore runs an action of the test's at a chosen step, for instance to
// end a child process there as if it had been killed mid-save.
//
// A failed call never pretends to have done its work: a failed Append has
// written nothing (or, for ShortAppend, only the stated prefix), a failed
// RenameFile has renamed nothing. A failed Close still closes the real file,
// as close(2) does. Files it hands out must not outlive it.
#ifndef FENNIMAR_TESTS_SUPPORT_FAULTINJECTINGFILESYSTEM_H_
#define FENNIMAR_TESTS_SUPPORT_FAULTINJECTINGFILESYSTEM_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "src/platform/FileSystem.h"

namespace fennimar::testing {

class FaultInjectingFileSystem : public platform::FileSystem {
 public:
  // A fault in PathExists makes it report false.
  enum class Op {
    kPathExists,
    kCreateDirectory,
    kReadFile,
    kCreateUniqueFile,
    kAppend,
    kSync,
    kClose,
    kRename,
    kRemove,
    kSyncDirectory,
    kGetPermissions,
    kResolveLinks,
    kLockFile,
    kLockExistingFile,
    kRemoveStaleUniqueFiles
  };
  static constexpr int kOpCount = static_cast<int>(Op::kRemoveStaleUniqueFiles) + 1;
  static const char* OpName(Op op);

  explicit FaultInjectingFileSystem(platform::FileSystem& real) : real_(real) {}

  // The `nth` call of `op` (counting from 1) fails with errno `error`.
  void FailOperation(Op op, int nth, int error);
  // The `nth` Append writes only its first `written` bytes, then fails.
  void ShortAppend(int nth, std::size_t written, int error);
  // Runs `action` at the start of every call of `op`, before it is counted.
  void CallBefore(Op op, std::function<void()> action);
  // Forgets every fault and action and zeroes the counts and the log.
  void Reset();

  int FaultsFired() const;
  // How often `op` has been called.
  int Count(Op op) const;
  // Every operation so far, in the order called.
  std::vector<Op> Log() const;

  bool PathExists(std::u16string_view path) override {
    return Tick(Op::kPathExists).error == 0 && real_.PathExists(path);
  }
  bool CanWriteIn(std::u16string_view folder) override { return real_.CanWriteIn(folder); }
  Status CreateDirectory(std::u16string_view path) override {
    return Forward(Op::kCreateDirectory, [&] { return real_.CreateDirectory(path); });
  }
  Status Identify(std::u16string_view path, platform::FileIdentity* identity) override {
    return real_.Identify(path, identity);
  }
  Status ReadFile(std::u16string_view path, std::size_t max_bytes, std::string* bytes) override {
    return Forward(Op::kReadFile, [&] { return real_.ReadFile(path, max_bytes, bytes); });
  }
  Status CreateUniqueFile(std::u16string_view prefix, unsigned mode, std::u16string* created_path,
                          std::unique_ptr<platform::WritableFile>* file) override;
  Status RemoveStaleUniqueFiles(std::u16string_view prefix) override {
    return Forward(Op::kRemoveStaleUniqueFiles,
                   [&] { return real_.RemoveStaleUniqueFiles(prefix); });
  }
  Status RenameFile(std::u16string_view from, std::u16string_view to) override {
    return Forward(Op::kRename, [&] { return real_.RenameFile(from, to); });
  }
  Status RemoveFile(std::u16string_view path) override {
    return Forward(Op::kRemove, [&] { return real_.RemoveFile(path); });
  }
  Status SyncDirectory(std::u16string_view folder) override {
    return Forward(Op::kSyncDirectory, [&] { return real_.SyncDirectory(folder); });
  }
  Status GetPermissions(std::u16string_view path, unsigned* mode) override {
    return Forward(Op::kGetPermissions, [&] { return real_.GetPermissions(path, mode); });
  }
  Status ResolveLinks(std::u16string_view path, std::u16string* resolved) override {
    return Forward(Op::kResolveLinks, [&] { return real_.ResolveLinks(path, resolved); });
  }
  Status LockFile(std::u16string_view path, std::unique_ptr<platform::FileLock>* lock) override {
    return Forward(Op::kLockFile, [&] { return real_.LockFile(path, lock); });
  }
  Status LockExistingFile(std::u16string_view path,
                          std::unique_ptr<platform::FileLock>* lock) override {
    return Forward(Op::kLockExistingFile, [&] { return real_.LockExistingFile(path, lock); });
  }

 private:
  class File;
  struct Fault {
    Op op = Op::kPathExists;
    int nth = 0;
    int error = 0;         // 0: the call goes through
    bool partial = false;  // a short Append, of `written` bytes
    std::size_t written = 0;
  };

  // Counts one call of `op`; returns the fault it triggers, if any.
  Fault Tick(Op op);
  void RunActions(Op op);
  static Status Injected(Op op, int error);
  // The call through to the real file system, unless a fault is due.
  template <typename Call>
  Status Forward(Op op, Call call) {
    const int error = Tick(op).error;
    return error == 0 ? call() : Injected(op, error);
  }

  platform::FileSystem& real_;
  mutable std::mutex mutex_;
  std::vector<Fault> faults_;
  std::vector<std::pair<Op, std::function<void()>>> actions_;
  int counts_[kOpCount] = {};
  std::vector<Op> log_;
  int fired_ = 0;
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_FAULTINJECTINGFILESYSTEM_H_
