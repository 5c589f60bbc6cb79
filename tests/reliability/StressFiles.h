// StressFiles - what the stress programs and the reliability tests agree on:
// the names of the files in a work folder and the text of each version a
// writer saves, so that a test can tell which save a file holds.
#ifndef FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
#define FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_

#include <string>

namespace fennimar::reliability {

// Files of a work folder. The hive lives under XDG_CONFIG_HOME and the INI
// file beside the program, as the library places them.
inline const std::string kDocumentName = "settings.xml";
inline const std::string kPasswordName = "password";

// The section and the key whose values StressValues sets, one name per process.
inline const std::string kStressSection = "stress";
inline const std::u16string kStressKey = u"Software\\Fennimar Stress";

// Printed once a writer has opened everything it needs and is about to save.
inline const std::string kReadyLine = "ready";

// The settings document of a writer: the shared one for the document writers;
// one of its own per kind for the others, which must open a document too.
inline std::string DocumentOf(const std::string& folder, const std::string& kind) {
  return folder + "/" + (kind == "document" ? kDocumentName : kind + ".xml");
}

inline std::string PasswordOf(long version) { return "pw" + std::to_string(version); }

inline std::string WallpaperOf(long version) {
  return "/wallpapers/" + std::to_string(version) + ".png";
}

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
