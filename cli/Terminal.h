// Terminal - reading a password: from the terminal without echo when
// standard input is one, else one line of standard input (for scripts).
#ifndef FENNIMAR_CLI_TERMINAL_H_
#define FENNIMAR_CLI_TERMINAL_H_

#include <optional>
#include <string>

namespace fennimar::cli {

bool InputIsTerminal();

// One line without its line end. On a terminal, `prompt` goes to standard
// error and the typed characters are not echoed; echo is restored however
// the read ends, also when the program is interrupted. nullopt at the end of
// the input before any character.
std::optional<std::string> ReadSecretLine(const char* prompt);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_TERMINAL_H_
