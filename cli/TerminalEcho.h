// TerminalEcho - what reading a password needs of the platform's terminal:
// whether standard input is one, and turning its echo off for a while.
#ifndef FENNIMAR_CLI_TERMINALECHO_H_
#define FENNIMAR_CLI_TERMINALECHO_H_

namespace fennimar::cli {

// Turns the echo of standard input off for its lifetime when it is a
// terminal; the terminal gets its settings back when it goes, or on Linux
// when a signal ends the program meanwhile. One at a time.
class EchoOff {
 public:
  EchoOff();
  ~EchoOff();
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  bool active_ = false;
};

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_TERMINALECHO_H_
