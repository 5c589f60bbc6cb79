// Echo of the terminal on Linux, through termios. A signal that ends the
// program while echo is off restores the terminal first.
#include "cli/TerminalEcho.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iterator>

#include "cli/Terminal.h"

namespace fennimar::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

// The terminal's settings before echo was turned off, for the signal handler,
// and the handlers that were there before.
struct termios g_saved;
void (*g_previous[std::size(kSignals)])(int) = {};

extern "C" void RestoreAndRaise(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_saved);
  std::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

}  // namespace

bool InputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

EchoOff::EchoOff() {
  if (tcgetattr(STDIN_FILENO, &g_saved) != 0) return;
  struct termios quiet = g_saved;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  quiet.c_lflag |= ECHONL;  // the line end still shows
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    g_previous[i] = std::signal(kSignals[i], RestoreAndRaise);
  }
  active_ = true;
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
}

EchoOff::~EchoOff() {
  if (!active_) return;
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_saved);
  for (std::size_t i = 0; i < std::size(kSignals); ++i) std::signal(kSignals[i], g_previous[i]);
}

}  // namespace fennimar::cli
