// Process - what the command sets up in its own process before it parses its
// arguments.
#ifndef FENNIMAR_CLI_PROCESS_H_
#define FENNIMAR_CLI_PROCESS_H_

#include <string>
#include <vector>

namespace fennimar::cli {

// The arguments, the program's name first, as UTF-8. On Windows they are
// taken from the wide command line, so that any path or text survives
// whatever the system's code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// On Windows: standard output and error carry the bytes as written (UTF-8,
// "\n" line ends, as on Linux), a console shows and reads UTF-8, and when
// FENNIMAR_REGISTRY_KEY names a key below HKEY_CURRENT_USER (created when
// missing), that key stands in for HKEY_CURRENT_USER for this process, the
// library included, so that trials and tests leave the user's own settings
// alone. Nothing on Linux, where XDG_CONFIG_HOME does that. Fails (usage)
// when the key cannot be used.
void PrepareProcess();

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_PROCESS_H_
