#include "cli/Terminal.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <iterator>

namespace fennimar::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

// The terminal's settings before echo was turned off, for the signal handler.
struct termios g_saved;

extern "C" void RestoreAndRaise(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_saved);
  std::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

// Turns echo off for its lifetime; the terminal gets its settings back when
// it goes, or when a signal ends the program meanwhile.
class EchoOff {
 public:
  EchoOff() {
    if (tcgetattr(STDIN_FILENO, &g_saved) != 0) return;
    struct termios quiet = g_saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;  // the line end still shows
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
      previous_[i] = std::signal(kSignals[i], RestoreAndRaise);
    }
    active_ = true;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    if (!active_) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_saved);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) std::signal(kSignals[i], previous_[i]);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  bool active_ = false;
  void (*previous_[std::size(kSignals)])(int) = {};
};

std::optional<std::string> ReadLine() {
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

bool InputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

std::optional<std::string> ReadSecretLine(const char* prompt) {
  if (!InputIsTerminal()) return ReadLine();
  std::cerr << prompt << std::flush;
  EchoOff quiet;
  return ReadLine();
}

}  // namespace fennimar::cli
