// The document's locks on POSIX: as a script sees them, flock(1) on
// "<document>.lock", and through a symbolic link to the document.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

class PosixDocumentLocksTest : public testing::SectionTest {};

TEST_F(PosixDocumentLocksTest, AScriptTakesPartWithFlock) {
  Open("<Settings><GlobalSetting><A>1</A></GlobalSetting></Settings>");
  FennimarDllInterface settings(CString(testing::U16(DocumentPath().string())),
                                FennimarOptions{true});
  const std::vector<std::string> probe = {"flock", "--nonblock", DocumentPath().string() + ".lock",
                                          "true"};
  {
    FennimarDocumentHold hold(settings);
    EXPECT_EQ(testing::ChildProcess::Run(probe).status, 1);
  }
  EXPECT_EQ(testing::ChildProcess::Run(probe).status, 0);
}

// A private copy opened through a link in another folder is the same document.
TEST_F(PosixDocumentLocksTest, OtherCopiesOpenFollowsLinks) {
  Open("<Settings/>");
  FennimarDllInterface shared(CString(testing::U16(DocumentPath().string())),
                              FennimarOptions{true});
  std::filesystem::create_directory(PathOf("links"));
  std::filesystem::create_symlink(DocumentPath(), PathOf("links") / "alias.xml");
  FennimarDllInterface alias(CString(testing::U16((PathOf("links") / "alias.xml").string())));
  EXPECT_TRUE(FennimarDocumentHold(shared).OtherCopiesOpen());
}

// A lock file that is a link stands for its target, for the presence of a
// private copy as for a change.
TEST_F(PosixDocumentLocksTest, APresenceFollowsALinkedLockFile) {
  Open("<Settings/>");
  FennimarDllInterface shared(CString(testing::U16(DocumentPath().string())),
                              FennimarOptions{true});
  std::filesystem::create_directory(PathOf("other"));
  const std::filesystem::path other = PathOf("other") / "other.xml";
  std::filesystem::copy_file(DocumentPath(), other);
  std::filesystem::create_symlink(DocumentPath().string() + ".lock", other.string() + ".lock");
  FennimarDllInterface copy(CString(testing::U16(other.string())));
  EXPECT_TRUE(FennimarDocumentHold(shared).OtherCopiesOpen());
}

}  // namespace
}  // namespace fennimar
