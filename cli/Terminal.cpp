#include "cli/Terminal.h"

#include <iostream>

#include "cli/TerminalEcho.h"

namespace fennimar::cli {
namespace {

std::optional<std::string> ReadLine() {
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

std::optional<std::string> ReadSecretLine(const char* prompt) {
  if (!InputIsTerminal()) return ReadLine();
  std::cerr << prompt << std::flush;
  EchoOff quiet;
  return ReadLine();
}

}  // namespace fennimar::cli
