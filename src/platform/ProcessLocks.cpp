#include "src/platform/ProcessLocks.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace fennimar::platform {
namespace {

using Key = std::pair<std::uint64_t, std::uint64_t>;  // volume, file

struct Holder {
  std::thread::id owner;
  int count = 0;        // the owner's holds
  bool taking = false;  // the owner waits for the system's lock
  std::unique_ptr<FileLock> system_lock;
};

// Entries are never removed: there is one per lock file the process used.
struct Table {
  std::mutex mutex;
  std::condition_variable released;
  std::map<Key, Holder> holders;
};

Table& Holders() {
  static Table* table = new Table;  // never destroyed: locks may go at exit
  return *table;
}

class CountedLock : public FileLock {
 public:
  explicit CountedLock(Key key) : key_(key) {}
  ~CountedLock() override {
    Table& table = Holders();
    std::unique_ptr<FileLock> last;
    {
      std::lock_guard<std::mutex> guard(table.mutex);
      Holder& holder = table.holders[key_];
      if (--holder.count == 0) last = std::move(holder.system_lock);
    }
    last.reset();  // the system's lock goes before others are woken
    table.released.notify_all();
  }
  CountedLock(const CountedLock&) = delete;
  CountedLock& operator=(const CountedLock&) = delete;

 private:
  Key key_;
};

// The identity of the lock file, creating it first when it is missing.
Status IdentifyLockFile(FileSystem& files, DocumentLocks& locks, std::u16string_view path,
                        Key* key) {
  FileIdentity identity;
  Status status = files.Identify(path, &identity);
  if (status.ok() && !identity.exists) {
    std::unique_ptr<FileLock> creating;
    status = locks.Lock(path, LockSlot::kChange, LockKind::kExclusive, false, &creating);
    if (!status.ok() && status.code() != Status::Code::kBusy) return status;
    creating.reset();
    status = files.Identify(path, &identity);
  }
  if (!status.ok()) return status;
  if (!identity.exists) return Status::NotFound("the lock file vanished");
  *key = Key(identity.volume, identity.file);
  return Status::Ok();
}

}  // namespace

Status LockChangeForProcess(FileSystem& files, DocumentLocks& locks, std::u16string_view path,
                            bool wait, std::unique_ptr<FileLock>* lock) {
  Key key;
  Status status = IdentifyLockFile(files, locks, path, &key);
  if (!status.ok()) return status;
  Table& table = Holders();
  std::unique_lock<std::mutex> guard(table.mutex);
  Holder& holder = table.holders[key];
  const std::thread::id self = std::this_thread::get_id();
  while (holder.count > 0 || holder.taking) {
    if (holder.count > 0 && holder.owner == self) {
      ++holder.count;
      *lock = std::make_unique<CountedLock>(key);
      return Status::Ok();
    }
    if (!wait) return Status::Busy("lock held by another thread");
    table.released.wait(guard);
  }
  holder.taking = true;
  holder.owner = self;
  guard.unlock();
  std::unique_ptr<FileLock> system_lock;
  status = locks.Lock(path, LockSlot::kChange, LockKind::kExclusive, wait, &system_lock);
  guard.lock();
  holder.taking = false;
  if (!status.ok()) {
    guard.unlock();
    table.released.notify_all();
    return status;
  }
  holder.system_lock = std::move(system_lock);
  holder.count = 1;
  *lock = std::make_unique<CountedLock>(key);
  return Status::Ok();
}

}  // namespace fennimar::platform
