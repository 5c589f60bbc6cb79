// Locations - where the fennimar command finds things: the default settings
// document, as the library gives it (in the configuration folder: the XDG one
// on Linux, the roaming application-data folder on Windows), and how paths
// are spelled. Paths are UTF-8 and use the platform's separator.
#ifndef FENNIMAR_CLI_LOCATIONS_H_
#define FENNIMAR_CLI_LOCATIONS_H_

#include <filesystem>
#include <string>

namespace fennimar::cli {

// True on Windows, where the settings live in %APPDATA% and the system's
// registry; false where they live in the XDG configuration folder, the
// registry in a file there.
bool HasSystemRegistry();

// How --help names the configuration folder: "$XDG_CONFIG_HOME", "%APPDATA%".
const char* ConfigFolderName();
// Why there is no configuration folder: the variables to set.
const char* NoConfigFolderText();

// The library's default document (FennimarLocations::DefaultDocument());
// fails (usage) where there is none.
std::string DefaultDocumentPath();
// The same for --help: "$XDG_CONFIG_HOME/fennimar/Fennimar.xml".
std::string DefaultDocumentText();

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
