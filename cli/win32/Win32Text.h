// Win32Text - the system's text for a Windows error code, for messages.
#ifndef FENNIMAR_CLI_WIN32_WIN32TEXT_H_
#define FENNIMAR_CLI_WIN32_WIN32TEXT_H_

#include <string>

namespace fennimar::cli {

// "Access is denied. (error 5)"; "error N" when the system has no text.
std::string SystemErrorText(unsigned long code);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_WIN32_WIN32TEXT_H_
