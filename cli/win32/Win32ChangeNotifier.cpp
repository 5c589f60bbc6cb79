// Watching on Windows: ReadDirectoryChangesW on the folders of the watched
// files, RegNotifyChangeKeyValue on the registry keys, and an event that the
// console control handler sets, all in one WaitForMultipleObjects: the
// process sleeps until one of them is signalled. After a wake-up that
// concerns a target every watch is set up afresh, so that folders and keys
// that appeared or went away meanwhile are found.
#include <windows.h>

#include <memory>
#include <set>
#include <vector>

#include "cli/ChangeNotifier.h"
#include "cli/Errors.h"
#include "cli/WatchFolders.h"
#include "src/common/WideText.h"
#include "src/platform/win32/UniqueHandle.h"
#include "src/platform/win32/Win32Status.h"

namespace fennimar::cli {
namespace {

constexpr DWORD kFolderChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;
constexpr DWORD kKeyChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
constexpr DWORD kBufferBytes = 16384;

using Handle = platform::UniqueHandle;

[[noreturn]] void FailSystem(const std::string& what, DWORD error) {
  Fail(Exit::kWrite, what + ": " + platform::SystemErrorText(error));
}

HANDLE NewEvent() {
  const HANDLE event = ::CreateEventW(nullptr, /*manual_reset=*/TRUE, FALSE, nullptr);
  if (event == nullptr) FailSystem("cannot create an event", ::GetLastError());
  return event;
}

// Set by Ctrl-C, Ctrl-Break or closing the console; the main thread then
// finishes its line and returns.
HANDLE g_stop = nullptr;

BOOL WINAPI OnConsoleControl(DWORD) {
  ::SetEvent(g_stop);
  return TRUE;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), /*ignore_case=*/TRUE) == CSTR_EQUAL;
}

// One folder and the names in it that matter.
class FolderWatch {
 public:
  FolderWatch(const std::wstring& folder, std::set<std::wstring> names)
      : names_(std::move(names)),
        directory_(::CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                                 nullptr)),
        event_(NewEvent()),
        buffer_(kBufferBytes / sizeof(DWORD)) {
    if (directory_.get() == INVALID_HANDLE_VALUE) {
      FailSystem("cannot watch " + Utf8FromWide(folder), ::GetLastError());
    }
    Issue();
  }

  HANDLE event() const { return event_.get(); }

  // After the event: true when a name that matters changed; otherwise the
  // watch goes on.
  bool Concerns() {
    DWORD bytes = 0;
    if (!::GetOverlappedResult(directory_.get(), &overlapped_, &bytes, FALSE) || bytes == 0) {
      return true;  // the folder went away, or too much happened to list
    }
    bool relevant = false;
    const auto* at = reinterpret_cast<const BYTE*>(buffer_.data());
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at);
      const std::wstring name(info->FileName, info->FileNameLength / sizeof(WCHAR));
      for (const std::wstring& wanted : names_) relevant = relevant || SameName(name, wanted);
      if (info->NextEntryOffset == 0) break;
      at += info->NextEntryOffset;
    }
    if (!relevant) Issue();
    return relevant;
  }

 private:
  void Issue() {
    ::ResetEvent(event_.get());
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_.get();
    if (!::ReadDirectoryChangesW(directory_.get(), buffer_.data(), kBufferBytes,
                                 /*watch_subtree=*/FALSE, kFolderChanges, nullptr, &overlapped_,
                                 nullptr)) {
      FailSystem("cannot watch a folder", ::GetLastError());
    }
  }

  std::set<std::wstring> names_;
  Handle directory_;
  Handle event_;
  std::vector<DWORD> buffer_;  // DWORD-aligned, as the call requires
  OVERLAPPED overlapped_{};
};

// A registry key below HKEY_CURRENT_USER, or the nearest existing key above
// it, with everything below.
class KeyWatch {
 public:
  explicit KeyWatch(std::wstring path) : event_(NewEvent()) {
    while (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_NOTIFY, &key_) !=
           ERROR_SUCCESS) {
      if (path.empty()) FailSystem("cannot watch the registry", ERROR_FILE_NOT_FOUND);
      const auto slash = path.rfind(L'\\');
      path = slash == std::wstring::npos ? L"" : path.substr(0, slash);
    }
    const LSTATUS armed =
        ::RegNotifyChangeKeyValue(key_, /*watch_subtree=*/TRUE, kKeyChanges, event_.get(),
                                  /*asynchronous=*/TRUE);
    if (armed != ERROR_SUCCESS) FailSystem("cannot watch the registry", armed);
  }
  ~KeyWatch() { ::RegCloseKey(key_); }
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  HANDLE event() const { return event_.get(); }

 private:
  HKEY key_ = nullptr;
  Handle event_;
};

class Win32ChangeNotifier : public ChangeNotifier {
 public:
  explicit Win32ChangeNotifier(const WatchTargets& targets) : targets_(targets) {
    g_stop = stop_.get();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    Arm();
  }
  ~Win32ChangeNotifier() override { ::SetConsoleCtrlHandler(OnConsoleControl, FALSE); }

  Wake Wait() override {
    for (;;) {
      std::vector<HANDLE> handles = {stop_.get()};
      for (const auto& folder : folders_) handles.push_back(folder->event());
      for (const auto& key : keys_) handles.push_back(key->event());
      const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                   handles.data(), FALSE, INFINITE);
      if (woken == WAIT_OBJECT_0) return Wake::kStop;
      const DWORD index = woken - WAIT_OBJECT_0 - 1;
      if (index >= handles.size() - 1) FailSystem("cannot wait for changes", ::GetLastError());
      if (index < folders_.size() && !folders_[index]->Concerns()) continue;
      Arm();
      return Wake::kChanged;
    }
  }

 private:
  void Arm() {
    folders_.clear();
    keys_.clear();
    for (const auto& [folder, interest] : FoldersToWatch(targets_)) {
      std::set<std::wstring> names;
      for (const auto& name : interest.files) names.insert(WideFromUtf8(name));
      for (const auto& name : interest.folders) names.insert(WideFromUtf8(name));
      folders_.push_back(std::make_unique<FolderWatch>(WideFromUtf8(folder), names));
    }
    for (const auto& key : targets_.registry_keys) {
      keys_.push_back(std::make_unique<KeyWatch>(Wide(key)));
    }
  }

  WatchTargets targets_;
  Handle stop_{NewEvent()};
  std::vector<std::unique_ptr<FolderWatch>> folders_;
  std::vector<std::unique_ptr<KeyWatch>> keys_;
};

}  // namespace

std::unique_ptr<ChangeNotifier> WatchForChanges(const WatchTargets& targets) {
  return std::make_unique<Win32ChangeNotifier>(targets);
}

}  // namespace fennimar::cli
