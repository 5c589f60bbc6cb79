// The sandbox on Windows: APPDATA for the configuration folder, a registry
// key of its own that the program uses in place of HKEY_CURRENT_USER
// (FENNIMAR_REGISTRY_KEY), and CreateProcessW with the standard handles on
// files.
#include "cli/tests/SandboxPlatform.h"

#include <windows.h>

#include <atomic>
#include <map>
#include <stdexcept>

#include "src/common/Utf.h"
#include "tests/support/win32/CommandLine.h"

namespace fennimar::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kKeysFolder[] = L"Software\\FennimarCliTests\\";

std::wstring KeyOf(const std::string& root) {
  return kKeysFolder + fs::u8path(root).filename().wstring();
}

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
    const std::wstring text = testing::WideFromUtf8(setting);
    const auto equals = text.find(L'=');
    variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  std::wstring block;
  for (const auto& [name, value] : variables) block += name + L"=" + value + L'\0';
  return block + L'\0';
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A file handle that the child inherits.
HANDLE Inheritable(const std::string& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE file = ::CreateFileW(
      testing::WideFromUtf8(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING,
      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return file;
}

}  // namespace

std::string MakeTemporaryFolder() {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    const std::wstring name = L"fennimar-cli-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter) + L"-" +
                              std::to_wstring(::GetTickCount64());
    const fs::path folder = fs::temp_directory_path() / name;
    if (fs::create_directory(folder)) return folder.u8string();
  }
}

std::vector<std::string> ProgramFiles() { return {"fennimar.exe", "FennimarCommonDll64.dll"}; }

// The test program is built into the same folder.
fs::path BuiltProgramFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

std::vector<std::string> HomeEnvironment(const std::string& root, const std::string& config) {
  const std::wstring key = KeyOf(root);
  return {"APPDATA=" + config,
          "FENNIMAR_REGISTRY_KEY=" + Utf16ToUtf8(std::u16string(key.begin(), key.end()))};
}

void CleanUpHome(const std::string& root) {
  const std::wstring key = KeyOf(root);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

int RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               const std::string& in, const std::string& out, const std::string& err) {
  std::wstring command_line = testing::CommandLineOf(argv);
  std::wstring block = EnvironmentBlock(env);
  const Handle input(Inheritable(in, false)), output(Inheritable(out, true)),
      error(Inheritable(err, true));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output.get();
  startup.hStdError = error.get();
  PROCESS_INFORMATION process{};
  const std::wstring program = testing::WideFromUtf8(argv.front());
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr,
                        /*inherit_handles=*/TRUE,
                        // No console: its streams are the files.
                        CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS, block.data(), nullptr,
                        &startup, &process)) {
    throw std::runtime_error("cannot start " + argv.front());
  }
  const Handle thread(process.hThread), child(process.hProcess);
  ::WaitForSingleObject(child.get(), INFINITE);
  DWORD status = 0;
  if (!::GetExitCodeProcess(child.get(), &status)) return -1;
  return static_cast<int>(status);
}

}  // namespace fennimar::cli::test
