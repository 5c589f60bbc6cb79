// WatchedProcess - `fennimar watch` as a child process whose lines a test
// reads while other processes change the settings.
#ifndef FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_
#define FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_

#include <string>
#include <vector>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {

class WatchedProcess {
 public:
  // Starts `fennimar watch ARGS...` in `box` and returns once it says on
  // standard error that it is watching.
  WatchedProcess(const CliSandbox& box, const std::vector<std::string>& args);
  ~WatchedProcess();  // ends the program if it still runs
  WatchedProcess(const WatchedProcess&) = delete;
  WatchedProcess& operator=(const WatchedProcess&) = delete;

  // The next line of its standard output without the line break; "(end)"
  // when the output ends, "(silent)" after a minute without a line, so that
  // a missing line fails the test instead of hanging it.
  std::string ReadLine();
  std::vector<std::string> ReadLines(std::size_t count);

  void Interrupt();    // SIGINT (Linux only)
  void CloseOutput();  // closes our end of its standard output
  // Waits for the program to end: its exit status, -1 when it did not exit.
  int Wait();

 private:
  enum class Stream { kOutput, kError };
  enum class Read { kData, kEnd, kSilent };

  // Per platform: starts `argv` with `env` ("NAME=VALUE") added, standard
  // input empty; appends what arrives next on `stream` (kSilent when nothing
  // came for a minute).
  void Start(const std::vector<std::string>& argv, const std::vector<std::string>& env);
  Read ReadMore(Stream stream, std::string& text);

  struct Parts;             // the platform's handles
  Parts* parts_ = nullptr;  // owned; the platform's file deletes it
  std::string pending_;     // read but not yet returned
};

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_
