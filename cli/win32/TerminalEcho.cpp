// Echo of the console on Windows, through its input mode. The console keeps
// the mode per console, not per program, so it is put back when the read ends.
#include "cli/TerminalEcho.h"

#include <windows.h>

#include "cli/Terminal.h"

namespace fennimar::cli {
namespace {

DWORD g_saved_mode = 0;

HANDLE Input() { return ::GetStdHandle(STD_INPUT_HANDLE); }

}  // namespace

bool InputIsTerminal() {
  DWORD mode = 0;
  return ::GetConsoleMode(Input(), &mode) != 0;
}

EchoOff::EchoOff() {
  if (!::GetConsoleMode(Input(), &g_saved_mode)) return;
  active_ = ::SetConsoleMode(Input(), g_saved_mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0;
}

EchoOff::~EchoOff() {
  if (!active_) return;
  ::SetConsoleMode(Input(), g_saved_mode);
  ::WriteConsoleW(::GetStdHandle(STD_ERROR_HANDLE), L"\r\n", 2, nullptr, nullptr);  // the line end
}

}  // namespace fennimar::cli
