// The password file's permission bits, which only POSIX systems keep: a new
// file is its owner's alone, and a replacement keeps the bits it found.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "src/platform/Services.h"
#include "src/system/PasswordFile.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

class PasswordFilePosixTest : public testing::IsolatedTest {
 protected:
  unsigned Mode() const {
    struct stat info {};
    if (stat(PathOf("password").c_str(), &info) != 0) ADD_FAILURE() << "no password file";
    return info.st_mode & 0777;
  }
};

TEST_F(PasswordFilePosixTest, ANewFileIsTheOwnersAloneAndAReplacementKeepsItsBits) {
  const CString file(Path16("password"));
  SavePasswordFile(*platform::CurrentServices().files, file, CString(u"a"));
  EXPECT_EQ(Mode(), 0600u);
  std::filesystem::permissions(PathOf("password"), std::filesystem::perms(0640));
  SavePasswordFile(*platform::CurrentServices().files, file, CString(u"b"));
  EXPECT_EQ(Mode(), 0640u);
}

}  // namespace
}  // namespace fennimar
