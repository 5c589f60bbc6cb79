// StressFiles - what the stress programs and the reliability tests agree on:
// the kinds of file, their names, the text of each version a writer saves,
// and how a program prints a line.
#ifndef FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
#define FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace fennimar::reliability {

enum class Kind { kDocument, kRegistry, kIni, kPassword };

// The kind's name, as the stress writer takes it on its command line.
inline std::string NameOf(Kind kind) {
  const char* const names[] = {"document", "registry", "ini", "password"};
  return names[static_cast<int>(kind)];
}

// The section and the key whose values StressValues sets, one name per process.
inline const std::string kStressSection = "stress";
inline const std::u16string kStressKey = u"Software\\Fennimar Stress";
// Printed once a writer has opened everything it needs and is about to save.
inline const std::string kReadyLine = "ready";

// Paths are spelled with the platform's own separator, as a host would.
inline std::string InFolder(const std::string& folder, const std::string& name) {
  return (std::filesystem::u8path(folder) / std::filesystem::u8path(name)).u8string();
}
// The slot of a shared-mode writer ("shared0" to "shared3"); -1 for other kinds.
inline int SharedSlot(const std::string& kind) {
  return kind.size() == 7 && kind.rfind("shared", 0) == 0 && kind[6] >= '0' && kind[6] <= '3'
             ? kind[6] - '0'
             : -1;
}
// The document and shared-mode writers share settings.xml; the others open
// one of their own.
inline std::string DocumentOf(const std::string& folder, const std::string& kind) {
  const bool shared = kind == "document" || SharedSlot(kind) >= 0;
  return InFolder(folder, shared ? "settings.xml" : kind + ".xml");
}
inline std::string PasswordOf(long version) { return "pw" + std::to_string(version); }
inline std::string WallpaperOf(long version) {
  return "/wallpapers/" + std::to_string(version) + ".png";
}

// Writes `text` and a newline in one write, so that a kill never cuts a line
// (on Windows the C runtime adds a CR, which the reader drops); exits with
// status 3 when the write fails.
inline void PrintLine(const std::string& text) {
  if (std::fputs((text + "\n").c_str(), stdout) < 0 || std::fflush(stdout) != 0) std::exit(3);
}

// The pause before a refused save is tried again. Windows sleeps in whole
// milliseconds, and writers retrying without a pause kept the file's holder
// from finishing (under Wine 900 saves took over two minutes).
inline void PauseBeforeRetry() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_STRESSFILES_H_
