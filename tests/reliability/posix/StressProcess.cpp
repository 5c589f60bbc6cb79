// StressProcess on Linux: the registry stand-in is found through
// XDG_CONFIG_HOME, which the program inherits; nothing to join.
#include "tests/reliability/StressProcess.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace fennimar::reliability {

bool JoinTestHome() { return true; }

void PrintLine(const std::string& text) {
  const std::string line = text + "\n";
  if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
    std::exit(3);
  }
}

void PauseBeforeRetry() { std::this_thread::sleep_for(std::chrono::microseconds(200)); }

}  // namespace fennimar::reliability
