// ChildProcess on Windows: CreateProcessW with the output on an anonymous
// pipe, TerminateProcess, WaitForSingleObject. An anonymous pipe cannot be
// waited on with a deadline, so a read looks at what the pipe holds
// (PeekNamedPipe) and naps between looks.
#include "tests/reliability/ChildProcess.h"

#include <windows.h>

#include <chrono>
#include <utility>

#include "tests/support/win32/CommandLine.h"

namespace fennimar::reliability {
namespace {

// The exit code TerminateProcess gives a killed program; Wait reports such an
// end as -1, as a death by signal is on POSIX.
constexpr UINT kKilledExitCode = 0xDEAD;
constexpr DWORD kReadChunk = 4096;
constexpr DWORD kNapMs = 1;

class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

// Our standard error as a handle the child inherits; null when we have none.
Handle InheritableStandardError() {
  HANDLE copy = nullptr;
  const HANDLE ours = ::GetStdHandle(STD_ERROR_HANDLE);
  if (ours == nullptr || ours == INVALID_HANDLE_VALUE ||
      !::DuplicateHandle(::GetCurrentProcess(), ours, ::GetCurrentProcess(), &copy, 0,
                         /*bInheritHandle=*/TRUE, DUPLICATE_SAME_ACCESS)) {
    return Handle();
  }
  return Handle(copy);
}

class Win32ChildProcess : public ChildProcess {
 public:
  Win32ChildProcess(Handle process, Handle out)
      : process_(std::move(process)), out_(std::move(out)) {}
  ~Win32ChildProcess() override {
    Kill();
    Wait();
  }

  Read ReadSome(int timeout_ms, std::string* bytes) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      DWORD available = 0;
      if (!::PeekNamedPipe(out_.get(), nullptr, 0, nullptr, &available, nullptr)) {
        return Read::kEnd;  // the program's end of the pipe is closed
      }
      if (available > 0) return ReadAvailable(available, bytes);
      if (std::chrono::steady_clock::now() >= deadline) return Read::kTimeout;
      ::Sleep(kNapMs);
    }
  }

  void Kill() override {
    if (!Ended() && ::TerminateProcess(process_.get(), kKilledExitCode)) killed_ = true;
  }

  bool Ended() override { return ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

  int Wait() override {
    ::WaitForSingleObject(process_.get(), INFINITE);
    DWORD code = 0;
    if (!::GetExitCodeProcess(process_.get(), &code)) return -1;
    return killed_ && code == kKilledExitCode ? -1 : static_cast<int>(code);
  }

 private:
  Read ReadAvailable(DWORD available, std::string* bytes) {
    char chunk[kReadChunk];
    DWORD got = 0;
    if (!::ReadFile(out_.get(), chunk, available < kReadChunk ? available : kReadChunk, &got,
                    nullptr) ||
        got == 0) {
      return Read::kEnd;
    }
    bytes->append(chunk, got);
    return Read::kData;
  }

  Handle process_;
  Handle out_;
  bool killed_ = false;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  std::string* error) {
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!::CreatePipe(&read_end, &write_end, nullptr, 0)) {
    *error = "CreatePipe failed: " + std::to_string(::GetLastError());
    return nullptr;
  }
  Handle out(read_end), in_child(write_end);
  ::SetHandleInformation(in_child.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  Handle standard_error = InheritableStandardError();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = in_child.get();
  startup.hStdError = standard_error.get();
  PROCESS_INFORMATION process{};
  const std::wstring program = testing::WideFromUtf8(argv.front());
  std::wstring command_line = testing::CommandLineOf(argv);
  // The children are started one at a time, so each inherits only the two
  // handles made for it.
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr,
                        /*bInheritHandles=*/TRUE, 0, nullptr, nullptr, &startup, &process)) {
    *error = "cannot start " + argv.front() + ": error " + std::to_string(::GetLastError());
    return nullptr;
  }
  ::CloseHandle(process.hThread);
  return std::make_unique<Win32ChildProcess>(Handle(process.hProcess), std::move(out));
}

}  // namespace fennimar::reliability
