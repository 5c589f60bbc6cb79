// CommandLine - what the Windows test helpers need to start a program: a
// UTF-8 argument as wide text, and a command line for CreateProcessW that the
// started program's parser splits back into exactly the given arguments.
#ifndef FENNIMAR_TESTS_SUPPORT_WIN32_COMMANDLINE_H_
#define FENNIMAR_TESTS_SUPPORT_WIN32_COMMANDLINE_H_

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace fennimar::testing {

inline std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// One argument as the started program's parser splits it back: as it is when
// it has no blank or quote (as cmd.exe wants its switches), else in quotes,
// with the backslashes before a quote doubled.
inline std::wstring QuotedArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

inline std::wstring CommandLineOf(const std::vector<std::string>& argv) {
  std::wstring line;
  for (const std::string& argument : argv) {
    line += (line.empty() ? L"" : L" ") + QuotedArgument(WideFromUtf8(argument));
  }
  return line;
}

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_WIN32_COMMANDLINE_H_
