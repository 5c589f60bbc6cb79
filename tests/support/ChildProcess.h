// ChildProcess - every program a test starts goes through here: the command
// under test, a stress writer, a watcher, a system tool, a forked copy of
// the test stopped inside a library call. Run covers a program run to its
// end; Start one that the test reads from while it runs, and kills or asks to
// end; Fork (POSIX) a function in a copy of the test process.
// ChildProcess.cpp holds Run; posix/ChildProcess.cpp and win32/ChildProcess.cpp
// the operating system's part.
#ifndef FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_
#define FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_

#include <functional>
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

// A program run to its end.
struct ChildResult {
  int status = -1;       // the exit status; -1 when killed, ended abnormally or not started
  std::string out, err;  // what it wrote to the pipes of its standard output and error
  std::string failure;   // why it could not start; empty when it started
};

class ChildProcess {
 public:
  enum class Stream { kOutput, kError };
  enum class Read { kData, kEnd, kTimeout };

  // Starts `argv` (the program first: a path, or a bare name looked up as
  // the shell does); null, with `*error` set, when it cannot.
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                             const ChildOptions& options, std::string* error);
  // Starts `argv` and reads its output and error pipes until it ends. A
  // positive `limit_ms` kills a program still running after that long (a
  // hang fails the test instead of stopping it); it measures no speed.
  static ChildResult Run(const std::vector<std::string>& argv,
                         const ChildOptions& options = ChildOptions(), int limit_ms = 0);
  // POSIX only: a forked copy of this process that runs `body` and exits
  // with what it returns, without running our exit handlers. Its standard
  // output is a pipe that ReadSome reads (the copy writes there with
  // write(1, ...)), its standard error ours. For a process stopped or killed
  // at a chosen point inside a library call.
  static std::unique_ptr<ChildProcess> Fork(const std::function<int()>& body, std::string* error);
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
  // The operating system's id of the process, also after it ended.
  virtual unsigned long Id() const = 0;
};

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_CHILDPROCESS_H_
