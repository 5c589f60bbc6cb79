// The watched child on Windows: CreateProcessW with its output and error on
// anonymous pipes. Such pipes cannot be waited on, so reading looks at the
// pipe and the child in turn until something comes.
#include <windows.h>

#include <optional>
#include <stdexcept>

#include "cli/tests/WatchedProcess.h"
#include "tests/support/win32/CommandLine.h"

namespace fennimar::cli::test {
namespace {

constexpr DWORD kLookMilliseconds = 20;
constexpr DWORD kSilenceMilliseconds = 60000;

void Close(HANDLE& handle) {
  if (handle != nullptr) ::CloseHandle(handle);
  handle = nullptr;
}

// The child inherits this process's environment; the sandbox's settings are
// put in for the start and taken out again.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(const std::vector<std::string>& settings) {
    for (const std::string& setting : settings) {
      const std::wstring text = testing::WideFromUtf8(setting);
      const auto equals = text.find(L'=');
      const std::wstring name = text.substr(0, equals);
      wchar_t old[32768];
      const DWORD length = ::GetEnvironmentVariableW(name.c_str(), old, 32768);
      saved_.push_back({name, length > 0 ? std::optional<std::wstring>(old) : std::nullopt});
      ::SetEnvironmentVariableW(name.c_str(), text.substr(equals + 1).c_str());
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      ::SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }
  }

 private:
  std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

}  // namespace

struct WatchedProcess::Parts {
  HANDLE process = nullptr;
  HANDLE out = nullptr;
  HANDLE err = nullptr;
};

void WatchedProcess::Start(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env) {
  parts_ = new Parts();
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE out_write = nullptr, err_write = nullptr;
  if (!::CreatePipe(&parts_->out, &out_write, &inherit, 0) ||
      !::CreatePipe(&parts_->err, &err_write, &inherit, 0)) {
    throw std::runtime_error("CreatePipe failed");
  }
  ::SetHandleInformation(parts_->out, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(parts_->err, HANDLE_FLAG_INHERIT, 0);
  HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  PROCESS_INFORMATION process{};
  std::wstring command_line = testing::CommandLineOf(argv);
  const std::wstring program = testing::WideFromUtf8(argv.front());
  BOOL started = FALSE;
  {
    const ScopedEnvironment environment(env);
    started = ::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr,
                               /*inherit_handles=*/TRUE, DETACHED_PROCESS, nullptr, nullptr,
                               &startup, &process);
  }
  Close(in);
  Close(out_write);
  Close(err_write);
  if (!started) throw std::runtime_error("cannot start " + argv.front());
  ::CloseHandle(process.hThread);
  parts_->process = process.hProcess;
}

WatchedProcess::~WatchedProcess() {
  if (!parts_) return;
  if (::WaitForSingleObject(parts_->process, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(parts_->process, 1);
    ::WaitForSingleObject(parts_->process, INFINITE);
  }
  Close(parts_->process);
  Close(parts_->out);
  Close(parts_->err);
  delete parts_;
}

WatchedProcess::Read WatchedProcess::ReadMore(Stream stream, std::string& text) {
  const HANDLE pipe = stream == Stream::kOutput ? parts_->out : parts_->err;
  for (DWORD waited = 0; waited < kSilenceMilliseconds; waited += kLookMilliseconds) {
    DWORD available = 0;
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return Read::kEnd;
    if (available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) return Read::kEnd;
      text.append(buffer, got);
      return Read::kData;
    }
    ::WaitForSingleObject(parts_->process, kLookMilliseconds);
  }
  return Read::kSilent;
}

void WatchedProcess::Interrupt() {}

void WatchedProcess::CloseOutput() { Close(parts_->out); }

int WatchedProcess::Wait() {
  ::WaitForSingleObject(parts_->process, INFINITE);
  DWORD status = 0;
  if (!::GetExitCodeProcess(parts_->process, &status)) return -1;
  return static_cast<int>(status);
}

}  // namespace fennimar::cli::test
