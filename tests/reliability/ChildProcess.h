// ChildProcess - a program started by a test, with its standard output on a
// pipe: read what it printed, kill it hard, wait for how it ended. One
// implementation per platform (posix/, win32/); Child in ReliabilitySupport.h
// cuts the output into lines.
#ifndef FENNIMAR_TESTS_RELIABILITY_CHILDPROCESS_H_
#define FENNIMAR_TESTS_RELIABILITY_CHILDPROCESS_H_

#include <memory>
#include <string>
#include <vector>

namespace fennimar::reliability {

class ChildProcess {
 public:
  enum class Read { kData, kEnd, kTimeout };

  // Starts `argv` (the program's path first) with this process's environment,
  // its standard error shared with ours. Null, with the reason in `*error`,
  // when it cannot be started.
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                             std::string* error);

  // Kills the program if it still runs and waits for its end.
  virtual ~ChildProcess() = default;

  // Appends what the program printed to `*bytes`, waiting up to
  // `timeout_ms` for something to arrive; kEnd once its output is closed.
  virtual Read ReadSome(int timeout_ms, std::string* bytes) = 0;
  // Ends the program at once, as a crash or a power cut would: no handler of
  // its own runs.
  virtual void Kill() = 0;
  // True once the program has ended, without waiting.
  virtual bool Ended() = 0;
  // Waits for the end; the exit status, or -1 when it was killed or ended
  // abnormally.
  virtual int Wait() = 0;
};

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_CHILDPROCESS_H_
