#include "src/system/PasswordFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileOrDie;

// POSIX systems keep permission bits: a new password file is its owner's
// alone and a replacement keeps the bits it found. Windows keeps none.
#ifdef _WIN32
constexpr bool kKeepsPermissionBits = false;
#else
constexpr bool kKeepsPermissionBits = true;
#endif
using testing::WriteFileOrDie;

class PasswordFileTest : public testing::IsolatedTest {
 protected:
  CString File() const { return CString(Path16("password")); }
  std::string Bytes() const { return ReadFileOrDie(PathOf("password")); }
  _Fennimar_ReturnCode_ Check(const char16_t* candidate) {
    return ValidatePasswordFile(*platform::DefaultServices().files, File(), CString(candidate));
  }
};

TEST_F(PasswordFileTest, StoresExactlyTheScrambledUnits) {
  // Each unit's four hex digits reversed, low byte first, up to a zero unit.
  const char16_t with_zero[] = {u'\u1234', u'a', 0, u'b'};
  SavePasswordFile(*platform::DefaultServices().files, File(), CString(std::u16string_view(with_zero, 4)));
  EXPECT_EQ(Bytes(), std::string("\x21\x43\x00\x16", 4));
  if (kKeepsPermissionBits) {
    EXPECT_EQ(fs::status(PathOf("password")).permissions(), fs::perms(0600));
    fs::permissions(PathOf("password"), fs::perms(0640));
  }

  SavePasswordFile(*platform::DefaultServices().files, File(), CString(u"Secret"));
  EXPECT_EQ(Bytes().size(), 12u);
  if (kKeepsPermissionBits) {
    EXPECT_EQ(fs::status(PathOf("password")).permissions(), fs::perms(0640)) << "bits kept";
  }
  SavePasswordFile(*platform::DefaultServices().files, File(), CString(u"ab"));
  EXPECT_EQ(Bytes().size(), 4u) << "a shorter password replaces the whole file";
  SavePasswordFile(*platform::DefaultServices().files, File(), CString(u""));
  EXPECT_EQ(Bytes(), "");
  EXPECT_EQ(Check(u""), RC_SUCCESS);
  EXPECT_EQ(Check(u"a"), RC_FAIL);
}

TEST_F(PasswordFileTest, OnlyTheWholeExactPasswordMatches) {
  SavePasswordFile(*platform::DefaultServices().files, File(), CString(u"Secret"));
  EXPECT_EQ(Check(u"Secret"), RC_SUCCESS);
  for (const char16_t* wrong : {u"secret", u"Secre", u"Secret1", u"", u"SECRET"}) {
    EXPECT_EQ(Check(wrong), RC_FAIL) << testing::U8(wrong);
  }
  // Stored text ends at a zero unit; a final odd byte is a low byte.
  WriteFileOrDie(PathOf("password"), std::string("\x00\x16\x00\x00\x00\x26", 6));
  EXPECT_EQ(Check(u"a"), RC_SUCCESS);
  WriteFileOrDie(PathOf("password"), std::string("\x00\x16\x16", 3));
  EXPECT_EQ(Check(u"a\u6100"), RC_SUCCESS);
  EXPECT_EQ(Check(u"a"), RC_FAIL);
  // A file of any size is compared: 2 MiB after the zero unit, or a stored
  // text of 1 Mi units.
  WriteFileOrDie(PathOf("password"), std::string("\x00\x16\x00\x00", 4) + std::string(2 << 20, 'x'));
  EXPECT_EQ(Check(u"a"), RC_SUCCESS);
  SavePasswordFile(*platform::DefaultServices().files, File(), CString(std::u16string(1 << 20, u'p')));
  EXPECT_EQ(ValidatePasswordFile(*platform::DefaultServices().files, File(), CString(std::u16string(1 << 20, u'p'))), RC_SUCCESS);
  EXPECT_EQ(Check(u"p"), RC_FAIL);
}

TEST_F(PasswordFileTest, MissingOrUnsetFileAFileHeldOpenAndAFailedSave) {
  EXPECT_EQ(Check(u""), RC_FILE_ERROR);
  EXPECT_EQ(Check(u"x"), RC_FILE_ERROR);
  EXPECT_EQ(ValidatePasswordFile(*platform::DefaultServices().files, CString(), CString(u"x")), RC_FILE_ERROR);
  EXPECT_THROW(SavePasswordFile(*platform::DefaultServices().files, CString(), CString(u"x")), CFileException);

  SavePasswordFile(*platform::DefaultServices().files, File(), CString(u"old"));
  const std::string before = Bytes();
  std::unique_ptr<platform::FileLock> held;
  ASSERT_TRUE(platform::DefaultServices().files->LockExistingFile(File(), &held).ok());
  EXPECT_EQ(Check(u"old"), RC_FILE_ERROR);
  EXPECT_THROW(SavePasswordFile(*platform::DefaultServices().files, File(), CString(u"new")), CFileException);
  held.reset();  // on Windows, the test's own read would meet the hold too
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(Check(u"old"), RC_SUCCESS);

  // A failed save names the file and the system's error, and keeps the
  // previous password.
  std::filesystem::create_directory(PathOf("folder"));
  const CString folder(Path16("folder"));
  try {
    SavePasswordFile(*platform::DefaultServices().files, folder, CString(u"new"));
    ADD_FAILURE() << "saving over a folder must throw";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.GetFilePath(), folder);
    EXPECT_NE(error.GetOsError(), 0);
    EXPECT_NE(std::string(error.what()).find("folder"), std::string::npos) << error.what();
  }
  EXPECT_EQ(Check(u"old"), RC_SUCCESS);
}

}  // namespace
}  // namespace fennimar
