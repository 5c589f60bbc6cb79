// StressFiles - what the stress programs and the reliability tests agree on:
// the names of the files in a work folder and the text of each version a
// writer saves, so that a test can tell which save a file holds.
#ifndef FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
#define FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_

#include <filesystem>
#include <string>

namespace fennimar::reliability {

// Files of a work folder. The hive lives under XDG_CONFIG_HOME and the INI
// file beside the program, as the library places them.
inline const std::string kDocumentName = "settings.xml";
inline const std::string kPasswordName = "password";

// The section and the key whose values StressValues sets, one name per process.
inline const std::string kStressSection = "stress";
inline const std::u16string kStressKey = u"Software\\Fennimar Stress";

// The kinds of file a writer saves.
enum class Kind { kDocument, kRegistry, kIni, kPassword };

// The kind's name, as the stress writer takes it on its command line.
inline std::string NameOf(Kind kind) {
  switch (kind) {
    case Kind::kDocument: return "document";
    case Kind::kRegistry: return "registry";
    case Kind::kIni: return "ini";
    case Kind::kPassword: return "password";
  }
  return std::string();
}

// On Windows, the key below HKEY_CURRENT_USER that a test uses in its place;
// the stress programs started by the test use it too.
inline const char kRegistryKeyVariable[] = "FENNIMAR_REGISTRY_KEY";

// Printed once a writer has opened everything it needs and is about to save.
inline const std::string kReadyLine = "ready";

// The settings document of a writer: the shared one for the document writers;
// one of its own per kind for the others, which must open a document too.
// Paths are spelled with the platform's own separator, as a host would.
inline std::string InFolder(const std::string& folder, const std::string& name) {
  return (std::filesystem::u8path(folder) / std::filesystem::u8path(name)).u8string();
}

inline std::string DocumentOf(const std::string& folder, const std::string& kind) {
  return InFolder(folder, kind == "document" ? kDocumentName : kind + ".xml");
}

inline std::string PasswordOf(long version) { return "pw" + std::to_string(version); }

inline std::string WallpaperOf(long version) {
  return "/wallpapers/" + std::to_string(version) + ".png";
}

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
