// HostileInput - the catalogue of hostile and damaged input: every file the
// library reads, and odd document paths, go to the library through its
// interface object, one table per kind. Each input has the library's defined
// answer, and a file the library cannot read is left as it was (same file,
// size, time and bytes). A crash fails the run, a hang runs into ctest's
// timeout, and huge files must be refused without being read into memory.
#ifndef FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_
#define FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/DocumentTest.h"
#include "tests/support/LibraryTest.h"

namespace fennimar::hostile {

namespace fs = std::filesystem;
using testing::ReadFileOrDie;
using testing::U16;
using testing::Utf16LeWithBom;
using testing::WriteFileOrDie;

inline constexpr std::uintmax_t kHugeFileBytes = std::uintmax_t{100} << 20;
inline constexpr char kSecret[] = "fennimar-secret-7d41c0";
inline constexpr std::size_t kMegabyte = std::size_t{1} << 20;
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

inline std::string Repeat(const std::string& unit, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += unit;
  return out;
}
std::string Noise(std::size_t size, unsigned seed);
std::string Replace(std::string text, const std::string& from, const std::string& to);
void WriteInput(const fs::path& path, const Input& input);

class HostileInputTest : public testing::SectionTest {
 protected:
  void SetUp() override;
  void Report(const char* family, std::size_t count);

  // Opens an interface object on `path` and reads every section, and where no
  // document loads runs every writer too. Checks the answers (the template's,
  // or RC_FAIL everywhere), that no read shows the secret, that `path` is as
  // it was when `kept`, and that nothing came or went in the test's folder
  // but new entries below `may_create`.
  void CheckDocument(const fs::path& path, const Input& input, bool kept,
                     const std::string& may_create = "");

  // Writes each input to `file` and reads the flag, sets it and reads it
  // again: "answer 1 1 0" where the set took, "answer 9 9 -" where the file is
  // refused and left alone.
  using Get = _Fennimar_ReturnCode_ (FennimarDllInterface::*)(std::uint32_t&);
  using Set = _Fennimar_ReturnCode_ (FennimarDllInterface::*)();
  void CheckFlagFile(const fs::path& file, const std::vector<Input>& inputs, Get get, Set set);

  std::string loaded_;  // the readers' answers on the template
};

}  // namespace fennimar::hostile

#endif  // FENNIMAR_TESTS_RELIABILITY_HOSTILEINPUT_H_
