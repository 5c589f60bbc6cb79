#include "cli/Process.h"

#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "cli/Errors.h"
#include "src/common/WideText.h"
#include "src/platform/win32/Win32Backends.h"

namespace fennimar::cli {
namespace {

constexpr wchar_t kRegistryKeyVariable[] = L"FENNIMAR_REGISTRY_KEY";

// The console's code pages belong to the console, not to this process: they
// are given back as they were when the command ends.
UINT g_output_code_page = 0;
UINT g_input_code_page = 0;

void RestoreConsoleCodePages() {
  if (g_output_code_page != 0) ::SetConsoleOutputCP(g_output_code_page);
  if (g_input_code_page != 0) ::SetConsoleCP(g_input_code_page);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void PrepareProcess() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  g_output_code_page = ::GetConsoleOutputCP();
  g_input_code_page = ::GetConsoleCP();
  std::atexit(RestoreConsoleCodePages);
  ::SetConsoleOutputCP(CP_UTF8);
  ::SetConsoleCP(CP_UTF8);
  const wchar_t* subkey = _wgetenv(kRegistryKeyVariable);
  if (subkey == nullptr || *subkey == L'\0') return;
  const Status used = platform::UseKeyAsCurrentUser(FromWide(subkey, std::wcslen(subkey)));
  if (!used.ok()) Fail(Exit::kUsage, "FENNIMAR_REGISTRY_KEY: " + used.message());
}

}  // namespace fennimar::cli
