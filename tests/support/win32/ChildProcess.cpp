// Children on Windows: CreateProcessW with an environment block and the
// standard handles on files or anonymous pipes. Such a pipe cannot be waited
// on with a deadline, so a read looks at what the pipe holds (PeekNamedPipe)
// and naps between looks.
#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <chrono>
#include <map>

#include "tests/support/win32/CommandLine.h"

namespace fennimar::testing {
namespace {

// TerminateProcess's exit code from Kill; Wait reports it as -1, as a signal
// on POSIX.
constexpr UINT kKilledExitCode = 0xDEAD;
// Wine's process creation fails now and then on a busy machine (error 1359,
// an internal error) and succeeds when tried again.
constexpr int kStartAttempts = 5;

void Close(HANDLE& handle) {
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  handle = nullptr;
}

class Win32ChildProcess : public ChildProcess {
 public:
  Win32ChildProcess(HANDLE process, HANDLE out, HANDLE err) : process_(process), pipes_{out, err} {}
  ~Win32ChildProcess() override {
    Kill();
    Wait();
    Close(process_);
    for (HANDLE& pipe : pipes_) Close(pipe);
  }

  Read ReadSome(Stream stream, int timeout_ms, std::string* bytes) override {
    const HANDLE pipe = pipes_[stream == Stream::kOutput ? 0 : 1];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (DWORD available = 0;; ::Sleep(1)) {
      if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return Read::kEnd;
      if (available > 0) break;
      if (std::chrono::steady_clock::now() >= deadline) return Read::kTimeout;
    }
    char chunk[4096];
    DWORD got = 0;
    if (!::ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) || got == 0) return Read::kEnd;
    bytes->append(chunk, got);
    return Read::kData;
  }

  void Kill() override {
    if (!Ended() && ::TerminateProcess(process_, kKilledExitCode)) killed_ = true;
  }
  void Interrupt() override {}
  void Terminate() override { Kill(); }
  void CloseOutput() override { Close(pipes_[0]); }
  bool Ended() override { return ::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
  int Wait() override {
    ::WaitForSingleObject(process_, INFINITE);
    DWORD code = 0;
    if (!::GetExitCodeProcess(process_, &code)) return -1;
    return killed_ && code == kKilledExitCode ? -1 : static_cast<int>(code);
  }
  unsigned long Id() const override { return ::GetProcessId(process_); }

 private:
  HANDLE process_;
  HANDLE pipes_[2];  // our ends of standard output and error; null when none
  bool killed_ = false;
};

// This process's environment with `settings` ("NAME=VALUE") put in, as a
// block for CreateProcessW: names compare without case, and the block is
// sorted by name as Windows expects.
std::wstring EnvironmentBlock(const std::vector<std::string>& settings) {
  struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
      return _wcsicmp(a.c_str(), b.c_str()) < 0;
    }
  };
  std::map<std::wstring, std::wstring, NoCase> variables;
  wchar_t* inherited = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = inherited; *entry != L'\0'; entry += wcslen(entry) + 1) {
    const std::wstring text(entry);
    const auto equals = text.find(L'=', 1);  // "=C:=C:\..." entries start with '='
    if (equals != std::wstring::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  ::FreeEnvironmentStringsW(inherited);
  for (const std::string& setting : settings) {
    const std::wstring text = WideFromUtf8(setting);
    const auto equals = text.find(L'=');
    variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  std::wstring block;
  for (const auto& [name, value] : variables) block += name + L"=" + value + L'\0';
  return block + L'\0';
}

// An inheritable handle for a standard stream: the file, or the writing end
// of a new pipe whose reading end goes to `*ours`.
HANDLE StreamHandle(const std::string& file, bool write, HANDLE* ours) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (!file.empty()) {
    return ::CreateFileW(WideFromUtf8(file).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  HANDLE child_end = nullptr;
  if (!::CreatePipe(ours, &child_end, &inherit, 0)) return INVALID_HANDLE_VALUE;
  ::SetHandleInformation(*ours, HANDLE_FLAG_INHERIT, 0);
  return child_end;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  const ChildOptions& options, std::string* error) {
  HANDLE out = nullptr, err = nullptr;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = StreamHandle(options.input.empty() ? "NUL" : options.input, false, nullptr);
  startup.hStdOutput = StreamHandle(options.output, true, &out);
  if (options.error_is_ours) {
    ::DuplicateHandle(::GetCurrentProcess(), ::GetStdHandle(STD_ERROR_HANDLE),
                      ::GetCurrentProcess(), &startup.hStdError, 0, TRUE, DUPLICATE_SAME_ACCESS);
  } else {
    startup.hStdError = StreamHandle(options.error, true, &err);
  }
  // A bare name is looked up by CreateProcessW itself: the system folders,
  // then PATH.
  const std::wstring program = WideFromUtf8(argv.front());
  const bool bare = program.find_first_of(L"\\/") == std::wstring::npos;
  std::wstring command_line = CommandLineOf(argv), block = EnvironmentBlock(options.env);
  PROCESS_INFORMATION process{};
  const bool handles = startup.hStdInput != INVALID_HANDLE_VALUE &&
                       startup.hStdOutput != INVALID_HANDLE_VALUE &&
                       startup.hStdError != INVALID_HANDLE_VALUE;
  DWORD failure = handles ? 0 : ::GetLastError();
  bool started = false;
  for (int attempt = 0; handles && !started && attempt < kStartAttempts; ++attempt) {
    if (attempt > 0) ::Sleep(200);
    // No console: the standard streams are the handles above.
    started = ::CreateProcessW(bare ? nullptr : program.c_str(), command_line.data(), nullptr,
                               nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS,
                               block.data(), nullptr, &startup, &process) != 0;
    if (!started) failure = ::GetLastError();
    if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND) break;
  }
  for (HANDLE* handle : {&startup.hStdInput, &startup.hStdOutput, &startup.hStdError})
    Close(*handle);
  if (started) {
    ::CloseHandle(process.hThread);
    return std::make_unique<Win32ChildProcess>(process.hProcess, out, err);
  }
  Close(out);
  Close(err);
  *error = "cannot start " + argv.front() + ": error " + std::to_string(failure);
  return nullptr;
}

}  // namespace fennimar::testing
