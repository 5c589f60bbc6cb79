// The document's lock as a script sees it: flock(1) on "<document>.lock".
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

class PosixDocumentLocksTest : public testing::SectionTest {};

TEST_F(PosixDocumentLocksTest, AScriptTakesPartWithFlock) {
  Open("<Settings><GlobalSetting><A>1</A></GlobalSetting></Settings>");
  FennimarDllInterface settings(CString(testing::U16(DocumentPath().string())),
                                FennimarOptions{true});
  const std::string probe = "flock --nonblock '" + DocumentPath().string() + ".lock' true";
  {
    FennimarDocumentHold hold(settings);
    EXPECT_NE(std::system(probe.c_str()), 0);
  }
  EXPECT_EQ(std::system(probe.c_str()), 0);
}

}  // namespace
}  // namespace fennimar
