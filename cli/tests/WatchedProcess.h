// WatchedProcess - `fennimar watch` as a child process whose lines a test
// reads while other processes change the settings.
#ifndef FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_
#define FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_

#include <memory>
#include <string>
#include <vector>

#include "cli/tests/CliSandbox.h"
#include "tests/support/ChildProcess.h"

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

  void Interrupt() { process_->Interrupt(); }  // SIGINT (Linux only)
  // Closes our end of its standard output.
  void CloseOutput() { process_->CloseOutput(); }
  // Waits for the program to end: its exit status, -1 when it did not exit.
  int Wait() { return process_->Wait(); }

 private:
  using Child = fennimar::testing::ChildProcess;
  Child::Read ReadMore(Child::Stream stream, std::string& text);

  std::unique_ptr<Child> process_;
  std::string pending_;  // read but not yet returned
};

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_WATCHEDPROCESS_H_
