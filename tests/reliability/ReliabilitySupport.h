// ReliabilitySupport - what the crash and concurrency tests share: a test
// folder holding a copy of the stress programs (the INI file is looked up
// beside the running program), children read line by line, file readers.
#ifndef FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_
#define FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/Platform.h"
#include "tests/reliability/StressFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::reliability {

// A running program; destroying it kills the program if it still runs.
class Child {
 public:
  explicit Child(const std::vector<std::string>& argv);

  // Reads lines until `line` arrives; false at the end of the output.
  bool WaitForLine(const std::string& line);
  void Kill() {
    if (process_) process_->Kill();
  }
  // Reads the output to its end; the exit status, or -1 when killed.
  int Finish();
  bool Exited() { return !process_ || process_->Ended(); }
  const std::vector<std::string>& lines() const { return lines_; }
  // The lines that are numbers: the versions the program saved.
  std::vector<long> Versions() const;

 private:
  bool ReadSome();

  std::unique_ptr<testing::ChildProcess> process_;  // null when it could not start
  std::string pending_;
  std::vector<std::string> lines_;
};

// One test per kind of file, the registry and INI kinds (named *Posix) skipped
// where those files are the system's. Every file starts at version 0.
class ReliabilityTest : public testing::IsolatedTest, public ::testing::WithParamInterface<Kind> {
 protected:
  ReliabilityTest();
  void SetUp() override;

  std::filesystem::path host() const { return root() / "host"; }
  std::filesystem::path hive() const { return root() / "config/fennimar/HKEY_CURRENT_USER.reg"; }
  std::filesystem::path ini() const { return host() / "HWinfo.ini"; }
  std::filesystem::path document() const { return root() / "settings.xml"; }
  std::filesystem::path password() const { return root() / "password"; }
  std::filesystem::path Target(Kind kind) const;
  std::string writer() const { return (host() / ("fennimar_stress_writer" FENNIMAR_EXE_SUFFIX)).u8string(); }
  std::string values() const { return (host() / ("fennimar_stress_values" FENNIMAR_EXE_SUFFIX)).u8string(); }
  // Starts the stress writer: KIND FOLDER FIRST COUNT.
  std::vector<std::string> WriterArgs(const std::string& kind, long first, long count) const {
    return {writer(), kind, root().u8string(), std::to_string(first), std::to_string(count)};
  }
  // What the library reads from the kind's file now: the document's switches
  // (SwitchesOf), the wallpaper, the password that validates, after "held:"
  // when a save held the file, "changed:" when it changed during the check;
  // the INI flag as a program beside the file reads it, "|", and the file.
  std::string ReadBack();
  // Prints a figure and records it in the test's XML report.
  static void Report(const std::string& name, long value);

  // Reads the registry and checks passwords, on a document of its own.
  std::unique_ptr<FennimarDllInterface> verifier_;
};

inline std::string SwitchesOf(long v) {
  const std::string n = std::to_string(v);
  return n + "," + n + "," + n + "," + n;
}
// CR LF (in UTF-8 or UTF-16) as LF: whether a rewrite keeps the file's line
// ends is the INI service's business; a whole file is what counts here.
std::string WithLfLineEnds(std::string text);
// The file's bytes, waiting while another process holds it unshared (a
// password check or save on Windows); empty when it stays held.
std::string ReadWhenFree(const std::filesystem::path& path);
// Temporaries that an atomic write of `target` left in its folder.
int CountTemporaries(const std::filesystem::path& target);
// The password a password file holds, unscrambled; empty for an odd length.
std::string StoredPassword(const std::string& bytes);
// The digits after `prefix` at the start of `text`; -1 when there are none.
long NumberAfter(const std::string& text, const std::string& prefix);
void PauseMilliseconds(int milliseconds);
std::string KindTestName(const ::testing::TestParamInfo<Kind>& info);
inline void PrintTo(Kind kind, std::ostream* out) { *out << NameOf(kind); }

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_
