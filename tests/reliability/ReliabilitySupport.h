// ReliabilitySupport - what the crash and concurrency tests share: a work
// folder per test with a home of its own (TestHost.h) and a copy of the stress
// programs (the INI file is looked up beside the running program, so each
// test needs programs of its own), child processes whose output is read line
// by line, and readers of the files' raw bytes.
#ifndef FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_
#define FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/reliability/ChildProcess.h"
#include "tests/reliability/TestHost.h"

namespace fennimar::reliability {

// A running program with its standard output on a pipe. Destroying it kills
// the program if it still runs and reaps it.
class Child {
 public:
  explicit Child(const std::vector<std::string>& argv);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Reads lines until `line` arrives; false at the end of the output.
  bool WaitForLine(const std::string& line);
  void Kill();
  // Reads the output to its end and waits for the program; its exit status,
  // or -1 when it was killed or did not exit normally.
  int Finish();
  // True once the program has ended.
  bool Exited();
  // The lines read so far, the one being read excluded.
  const std::vector<std::string>& lines() const { return lines_; }
  // The lines that are numbers: the versions the program saved.
  std::vector<long> Versions() const;

 private:
  bool ReadSome();

  std::unique_ptr<ChildProcess> process_;  // null when it could not start
  std::string pending_;
  std::vector<std::string> lines_;
};

class ReliabilityTest : public ::testing::Test {
 protected:
  ReliabilityTest();
  ~ReliabilityTest() override;

  const std::filesystem::path& root() const { return root_; }
  // The folder holding the copied programs, the template and HWinfo.ini.
  std::filesystem::path host() const { return root_ / "host"; }
  std::filesystem::path hive() const { return root_ / "config/fennimar/HKEY_CURRENT_USER.reg"; }
  std::filesystem::path ini() const { return host() / "HWinfo.ini"; }
  std::filesystem::path document() const { return root_ / "settings.xml"; }
  std::filesystem::path password() const { return root_ / "password"; }
  std::string writer() const { return Program("fennimar_stress_writer"); }
  std::string values() const { return Program("fennimar_stress_values"); }

  // A registry with the first-use flag cleared and the desktop key holding
  // WallpaperOf(0), so that writers keep the document and may set the
  // wallpaper.
  void SeedHive() const;
  // The document with every switch 0 and the password PasswordOf(0).
  void SeedDocumentAndPassword() const;
  // Prints a figure and records it in the test's XML report.
  static void Report(const std::string& name, long value);

 private:
  std::string Program(const std::string& name) const {
    return (host() / ProgramFileName(name)).u8string();
  }

  std::filesystem::path root_;
  std::unique_ptr<IsolatedHome> home_;
};

// The file's bytes; empty when it cannot be opened.
std::string ReadBytes(const std::filesystem::path& path);
// The file's bytes, waiting while another process holds it unshared (a
// password check or save on Windows); empty when it cannot be opened for a
// long time.
std::string ReadWhenFree(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// Temporaries that an atomic write of `target` left in its folder.
int CountTemporaries(const std::filesystem::path& target);
// The password a password file holds, unscrambled; empty for an odd length.
std::string StoredPassword(const std::string& bytes);
// The digits that follow `prefix` at the start of `text` as a number; -1 when
// `text` does not start with `prefix` and a digit.
long NumberAfter(const std::string& text, const std::string& prefix);
void PauseMilliseconds(int milliseconds);

// The name of a test of one kind of file: "Document", "Password", and for the
// kinds whose files only the Linux stand-ins write, "RegistryPosix" and
// "IniPosix".
std::string KindTestName(const ::testing::TestParamInfo<Kind>& info);
// Shows a kind by its name in test output.
inline void PrintTo(Kind kind, std::ostream* out) { *out << NameOf(kind); }

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_RELIABILITYSUPPORT_H_
