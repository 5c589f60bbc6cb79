// Errors - how the fennimar command fails: an exit status from a small fixed
// set and one line of text. Every failure is thrown as a CliError and turned
// into "fennimar: error: ..." on standard error by main().
#ifndef FENNIMAR_CLI_ERRORS_H_
#define FENNIMAR_CLI_ERRORS_H_

#include <stdexcept>
#include <string>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::cli {

// The exit statuses, as documented in --help and in fennimar(1).
enum class Exit : int {
  kDone = 0,
  kNotFound = 1,  // not found, or no match (a password that does not match)
  kUsage = 2,     // unknown command, option or field; a value that cannot be parsed
  kDocument = 3,  // the settings document (or registry file) cannot be loaded or lacks the section
  kWrite = 4,     // something could not be written (document, registry, INI, password file)
  kLimit = 5,     // a limit was reached (the application list is full)
};

class CliError : public std::runtime_error {
 public:
  CliError(Exit exit, const std::string& message) : std::runtime_error(message), exit_(exit) {}
  Exit exit() const { return exit_; }

 private:
  Exit exit_;
};

[[noreturn]] inline void Fail(Exit exit, const std::string& message) {
  throw CliError(exit, message);
}

// The result code's name as the header spells it, e.g. "RC_LIST_FULL".
const char* RcName(_Fennimar_ReturnCode_ code);

// "message (RC_NAME)": every failure reported by the library names its code.
std::string WithRc(const std::string& message, _Fennimar_ReturnCode_ code);

// The text of the exit-status table shown at the end of every --help.
std::string ExitStatusHelp();

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_ERRORS_H_
