// What WatchedProcess needs of the platform: a child process with its
// standard output and error on pipes.
#ifndef FENNIMAR_CLI_TESTS_WATCHEDPROCESSPLATFORM_H_
#define FENNIMAR_CLI_TESTS_WATCHEDPROCESSPLATFORM_H_

#include <memory>
#include <string>
#include <vector>

#include "cli/tests/WatchedProcess.h"

namespace fennimar::cli::test {

class WatchedProcess::Platform {
 public:
  enum class Stream { kOutput, kError };
  enum class Read { kData, kEnd, kSilent };

  // Starts `argv` with `env` ("NAME=VALUE") added, standard input empty.
  Platform(const std::vector<std::string>& argv, const std::vector<std::string>& env);
  ~Platform();  // kills the child if it still runs
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  // Appends what arrives next on `stream`: kEnd at its end, kSilent when
  // nothing came for a minute.
  Read ReadMore(Stream stream, std::string& text);
  void Interrupt();
  void CloseOutput();
  int Wait();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace fennimar::cli::test

#endif  // FENNIMAR_CLI_TESTS_WATCHEDPROCESSPLATFORM_H_
