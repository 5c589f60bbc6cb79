// The backup that a first use makes of the user's document, where POSIX
// permission bits exist: a private document gets a private backup.
#include <gtest/gtest.h>

#include <filesystem>

#include "src/store/CXMLLogfile.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using CXMLLogfilePosixTest = testing::LibraryTest;

TEST_F(CXMLLogfilePosixTest, APrivateDocumentGetsAPrivateBackup) {
  const fs::path document = PathOf("settings.xml");
  testing::WriteFileOrDie(document, "<FennimarSetting><!-- mine --></FennimarSetting>");
  fs::permissions(document, fs::perms(0600));
  { CXMLLogfile replaced(platform::CurrentServices(), testing::U16(document.string()), 1); }
  const fs::path backup = document.string() + ".bak";
  ASSERT_TRUE(fs::exists(backup));
  EXPECT_EQ(fs::status(backup).permissions(), fs::perms(0600));
}

}  // namespace
}  // namespace fennimar
