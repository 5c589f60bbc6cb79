// HostileInput - what the catalogue of hostile and damaged input shares. Every
// file the library reads and odd kinds of document path go to the library
// through its interface object, one table per kind. Each input has the
// library's defined answer, and a file the library cannot read is left as it
// was (same file, size, time and bytes). A crash fails the run, a hang runs
// into ctest's timeout, and huge files must be refused without being read
// into memory. Each test prints how many inputs it tried.
#ifndef FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_
#define FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/LibraryTest.h"

namespace fennimar::hostile {

namespace fs = std::filesystem;

inline constexpr std::uintmax_t kHugeFileBytes = std::uintmax_t{100} << 20;
// Reading a huge file whole would raise the peak by its size at least.
inline constexpr long kMaxPeakGrowthKb = 16 * 1024;
inline constexpr std::size_t kMegabyte = std::size_t{1} << 20;
inline constexpr char kSecret[] = "fennimar-secret-7d41c0";
inline constexpr std::uint32_t kUntouched = 0xDEADu;
inline constexpr std::uint32_t kNoFlag = 0xFFFFFFFFu;

// One input and the library's answer to it.
struct Input {
  std::string name;
  std::string bytes;
  bool readable = false;  // the library reads the file (else it refuses it)
  // Registry and INI files: what reading the flag answers.
  _Fennimar_ReturnCode_ answer = RC_SYSTEM_ERROR;
  std::uint32_t flag = kUntouched;
  std::uintmax_t pad_to = 0;  // extended to this size with a hole of zero bytes
};

std::string Repeat(const std::string& unit, std::size_t count);
std::string Noise(std::size_t size, unsigned seed);
std::string Replace(std::string text, const std::string& from, const std::string& to);
// UTF-16LE with its byte order mark.
std::string Utf16Le(const std::string& utf8);
void WriteInput(const fs::path& path, const Input& input);

// What shows that a file was replaced or changed: its identity on the file
// system, size and time, and its bytes when it is not huge.
std::string StateOf(const fs::path& path);
// Every path below `folder`, relative to it.
std::set<std::string> Listing(const fs::path& folder);
// The entries that appeared ("+name") or went ("-name") since `before`, but
// for new ones below `allowed`.
std::string Changes(const std::set<std::string>& before, const std::set<std::string>& after,
                    const std::string& allowed);

// Platform parts. The file's identity: on Linux its inode (a replaced file
// always has a new one), on Windows its file index.
std::string FileIdentity(const fs::path& path);
// Runs `run` and gives how far the process's peak resident size rose above
// its size before, in KiB, for a huge input; 0 for others, and where the peak
// cannot be reset (Linux before 4.0, Windows). Only the huge inputs are
// measured: under AddressSanitizer freed memory is held back, so the peak of
// an ordinary input's dozen load attempts adds up.
long PeakGrowthKb(const Input& input, const std::function<void()>& run);
// True for a document input (by its name) that the platform's XML component
// reads although the Linux stand-in refuses it; never on Linux.
bool PlatformReadsDocument(const std::string& name);

// Everything the readers give; outputs are pre-filled so that untouched ones show.
std::string Answers(FennimarDllInterface& lib);
// What an object without a document answers: RC_FAIL everywhere, no output.
inline constexpr char kEmptyAnswers[] =
    "apps 0\nconfig 0 -1 -1 -1 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\nswitch 0 -1\n"
    "background 0 - -1\nworkspaces 0";
// The five writers' answers in a row: "00000" on an object without a document.
std::string WriterAnswers(FennimarDllInterface& lib);

class HostileInputTest : public testing::SectionTest {
 protected:
  void Report(const char* family, std::size_t count);
  void SetUp() override;

  // Opens an interface object on `path` and reads every section, and where no
  // document loads runs every writer too. Checks the answers (the template's,
  // or RC_FAIL everywhere), that no read shows the secret, that `path` is as
  // it was when `kept`, and that nothing came or went in the test's folder
  // but new entries below `may_create`.
  void CheckDocument(const fs::path& path, const Input& input, bool kept,
                     const std::string& may_create = "");

  // Writes each input to `file` and reads the flag, sets it and reads it
  // again with an interface object: "answer 1 1 0" where the set took (and
  // the flag reads 0), "9 9 9 -" where the file is left alone.
  using Get = _Fennimar_ReturnCode_ (FennimarDllInterface::*)(std::uint32_t&);
  using Set = _Fennimar_ReturnCode_ (FennimarDllInterface::*)();
  void CheckFlagFile(const fs::path& file, const std::vector<Input>& inputs, Get get, Set set);

  std::string loaded_;  // the readers' answers on the template
};

}  // namespace fennimar::hostile

#endif  // FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_
