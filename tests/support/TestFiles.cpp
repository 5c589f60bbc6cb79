// The test helpers that are the same on every platform: whole files in and
// out, and the two text conversions.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "src/common/Utf.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::testing {

std::string ReadFileOrDie(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileOrDie(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::u16string U16(const std::string& utf8) { return Utf8ToUtf16(utf8); }
std::string U8(std::u16string_view utf16) { return Utf16ToUtf8(utf16); }

}  // namespace fennimar::testing
