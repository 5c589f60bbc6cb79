// Locations - where the fennimar command finds things: the configuration folder
// (by the same rule as the library's registry stand-in on Linux; the roaming
// application-data folder on Windows), the default settings document, and
// the folder of the running program. Paths are UTF-8 and use the platform's
// separator.
#ifndef FENNIMAR_CLI_LOCATIONS_H_
#define FENNIMAR_CLI_LOCATIONS_H_

#include <filesystem>
#include <string>

namespace fennimar::cli {

// The user's configuration folder, without a trailing separator: on Linux
// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; on
// Windows %APPDATA%. Fails (usage) when none names a folder.
std::string ConfigFolder();

// How --help names the configuration folder: "$XDG_CONFIG_HOME", "%APPDATA%".
const char* ConfigFolderName();

// ConfigFolder()/fennimar/Fennimar.xml
std::string DefaultDocumentPath();
// The same for --help: "$XDG_CONFIG_HOME/fennimar/Fennimar.xml".
std::string DefaultDocumentText();

// The folder that holds the running executable (where the library looks for
// the template document and HWinfo.ini); empty when it cannot be found.
std::string ExecutableFolder();

// `folder` and `name` joined by the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder part of `path` ("." when there is none).
std::string FolderOf(const std::string& path);

// `path` made absolute against the current folder; an absolute path is kept.
std::string Absolute(const std::string& path);

// `path` (UTF-8) for the standard library's file functions.
std::filesystem::path FsPath(const std::string& path);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_LOCATIONS_H_
