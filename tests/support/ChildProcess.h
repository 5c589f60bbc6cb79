// ChildProcess - a program that a test starts, reads from and ends: the
// command under test, a stress writer, a watcher. posix/ChildProcess.cpp and
// win32/ChildProcess.cpp hold the operating system's part.
#ifndef FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_
#define FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_

#include <memory>
#include <string>
#include <vector>

namespace fennimar::testing {

struct ChildOptions {
  // "NAME=VALUE" settings put over this process's environment.
  std::vector<std::string> env;
  // On POSIX the child sees only `env`, so nothing of the caller's home leaks
  // in; a Windows program needs the system's variables, so there it does not.
  bool only_env = false;
  // Files for the standard streams: input empty means the null device, output
  // and error empty mean a pipe that ReadSome reads.
  std::string input, output, error;
  // Standard error goes where ours goes (`error` is then unused).
  bool error_is_ours = false;
};

class ChildProcess {
 public:
  enum class Stream { kOutput, kError };
  enum class Read { kData, kEnd, kTimeout };

  // Starts `argv` (the program's path first); null, with `*error` set, when
  // it cannot.
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                             const ChildOptions& options, std::string* error);
  virtual ~ChildProcess() = default;  // kills the program if it runs, and waits

  // Appends what arrives on the stream's pipe within `timeout_ms` to `*bytes`;
  // kEnd once the pipe is closed.
  virtual Read ReadSome(Stream stream, int timeout_ms, std::string* bytes) = 0;
  // Ends the program at once, as a crash or a power cut would.
  virtual void Kill() = 0;
  // Asks the program to end as it does on SIGINT (POSIX) or SIGTERM; Windows
  // has no such request for a program without a console, so there Terminate
  // kills it and Interrupt does nothing.
  virtual void Interrupt() = 0;
  virtual void Terminate() = 0;
  // Closes our end of its standard output pipe.
  virtual void CloseOutput() = 0;
  virtual bool Ended() = 0;
  // Waits for the end: the exit status, -1 when killed or ended abnormally.
  virtual int Wait() = 0;
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_
