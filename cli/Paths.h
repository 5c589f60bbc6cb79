// Paths - where the fennimar command finds things: the configuration folder
// (by the same rule as the library's registry stand-in), the default settings
// document, the registry file, and the folder of the running program.
#ifndef FENNIMAR_CLI_PATHS_H_
#define FENNIMAR_CLI_PATHS_H_

#include <string>

namespace fennimar::cli {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, without a
// trailing slash. Fails (usage) when neither names a folder.
std::string ConfigFolder();

// ConfigFolder()/fennimar/Fennimar.xml
std::string DefaultDocumentPath();

// ConfigFolder()/fennimar/HKEY_CURRENT_USER.reg: the registry stand-in.
std::string HivePath();

// The folder that holds the running executable (where the library looks for
// the template document and HWinfo.ini); empty when it cannot be found.
std::string ExecutableFolder();

// What comes before the last slash of `path` ("." when there is none).
std::string FolderOf(const std::string& path);

// `path` made absolute against the current folder; an absolute path is kept.
std::string Absolute(const std::string& path);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_PATHS_H_
