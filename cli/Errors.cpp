#include "cli/Errors.h"

#include <string>

#include "fennimar/Rules.h"

namespace fennimar::cli {

const char* RcName(_Fennimar_ReturnCode_ code) {
  switch (code) {
    case RC_FAIL:
      return "RC_FAIL";
    case RC_SUCCESS:
      return "RC_SUCCESS";
    case RC_NOT_IMPLEMENTED:
      return "RC_NOT_IMPLEMENTED";
    case RC_FILE_ERROR:
      return "RC_FILE_ERROR";
    case RC_LIST_FULL:
      return "RC_LIST_FULL";
    case RC_SYSTEM_ERROR:
      return "RC_SYSTEM_ERROR";
  }
  return "RC_UNKNOWN";
}

std::string WithRc(const std::string& message, _Fennimar_ReturnCode_ code) {
  return message + " (" + RcName(code) + ")";
}

std::string ExitStatusHelp() {
  return "Exit status:\n"
         "  0  done\n"
         "  1  not found, or no match (a password that does not match)\n"
         "  2  usage: unknown command, option, switch or field, or a value that cannot be parsed\n"
         "  3  the settings document (or the registry file) cannot be loaded or lacks the section\n"
         "  4  something could not be written (document, registry, HWinfo.ini, password file)\n"
         "  5  a limit was reached (the application list already holds " +
         std::to_string(FennimarRules::MaxApplications()) + " items)";
}

}  // namespace fennimar::cli
