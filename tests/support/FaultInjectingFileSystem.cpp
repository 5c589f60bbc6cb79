#include "tests/support/FaultInjectingFileSystem.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace fennimar::testing {

// Wraps a real file; its operations are counted and can fail like the rest.
class FaultInjectingFileSystem::File : public platform::WritableFile {
 public:
  File(FaultInjectingFileSystem& owner, std::unique_ptr<platform::WritableFile> real)
      : owner_(owner), real_(std::move(real)) {}

  Status Append(std::string_view data) override {
    const Fault fault = owner_.Tick(Op::kAppend);
    if (fault.error == 0) return real_->Append(data);
    if (fault.partial) {
      const Status written = real_->Append(data.substr(0, fault.written));
      if (!written.ok()) return written;
    }
    return Injected(Op::kAppend, fault.error);
  }
  Status Sync() override {
    const Fault fault = owner_.Tick(Op::kSync);
    return fault.error == 0 ? real_->Sync() : Injected(Op::kSync, fault.error);
  }
  Status Close() override {
    const Fault fault = owner_.Tick(Op::kClose);
    const Status closed = real_->Close();
    return fault.error == 0 ? closed : Injected(Op::kClose, fault.error);
  }

 private:
  FaultInjectingFileSystem& owner_;
  std::unique_ptr<platform::WritableFile> real_;
};

const char* FaultInjectingFileSystem::OpName(Op op) {
  static const char* const kNames[kOpCount] = {
      "PathExists",     "CreateDirectory", "ReadFile",   "CreateUniqueFile", "Append",
      "Sync",           "Close",           "RenameFile", "RemoveFile",       "SyncDirectory",
      "GetPermissions", "ResolveLinks",    "LockFile",   "LockExistingFile", "RemoveStaleUniqueFiles"};
  return kNames[static_cast<int>(op)];
}

void FaultInjectingFileSystem::FailOperation(Op op, int nth, int error) {
  std::lock_guard<std::mutex> hold(mutex_);
  faults_.push_back(Fault{op, nth, error, false, 0});
}

void FaultInjectingFileSystem::ShortAppend(int nth, std::size_t written, int error) {
  std::lock_guard<std::mutex> hold(mutex_);
  faults_.push_back(Fault{Op::kAppend, nth, error, true, written});
}

void FaultInjectingFileSystem::CallBefore(Op op, std::function<void()> action) {
  std::lock_guard<std::mutex> hold(mutex_);
  actions_.emplace_back(op, std::move(action));
}

void FaultInjectingFileSystem::Reset() {
  std::lock_guard<std::mutex> hold(mutex_);
  faults_.clear();
  actions_.clear();
  for (int& count : counts_) count = 0;
  log_.clear();
  fired_ = 0;
}

int FaultInjectingFileSystem::Count(Op op) const {
  std::lock_guard<std::mutex> hold(mutex_);
  return counts_[static_cast<int>(op)];
}

int FaultInjectingFileSystem::FaultsFired() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return fired_;
}

std::vector<FaultInjectingFileSystem::Op> FaultInjectingFileSystem::Log() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return log_;
}

FaultInjectingFileSystem::Fault FaultInjectingFileSystem::Tick(Op op) {
  RunActions(op);
  std::lock_guard<std::mutex> hold(mutex_);
  const int count = ++counts_[static_cast<int>(op)];
  log_.push_back(op);
  for (const Fault& fault : faults_) {
    if (fault.op != op || fault.nth != count) continue;
    ++fired_;
    return fault;
  }
  return Fault{};
}

// Outside the lock: an action may call back into this file system.
void FaultInjectingFileSystem::RunActions(Op op) {
  std::vector<std::function<void()>> due;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    for (const auto& [action_op, action] : actions_) {
      if (action_op == op) due.push_back(action);
    }
  }
  for (const auto& action : due) action();
}

Status FaultInjectingFileSystem::Injected(Op op, int error) {
  std::string message = std::string("injected ") + OpName(op) + ": " + std::strerror(error);
  if (error == ENOENT || error == ENOTDIR) return Status::NotFound(std::move(message), error);
  return Status::IoError(std::move(message), error);
}

Status FaultInjectingFileSystem::CreateUniqueFile(std::u16string_view prefix, unsigned mode,
                                                  std::u16string* created_path,
                                                  std::unique_ptr<platform::WritableFile>* file) {
  const int error = Tick(Op::kCreateUniqueFile).error;
  if (error != 0) return Injected(Op::kCreateUniqueFile, error);
  std::unique_ptr<platform::WritableFile> real;
  const Status status = real_.CreateUniqueFile(prefix, mode, created_path, &real);
  if (status.ok()) *file = std::make_unique<File>(*this, std::move(real));
  return status;
}

}  // namespace fennimar::testing
