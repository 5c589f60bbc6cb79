#include "fennimar/FennimarDllInterface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

constexpr char kUserDocument[] =
    "<FennimarSetting><!-- mine --><AppList/><GlobalSetting/></FennimarSetting>";

class FennimarDllInterfaceTest : public testing::LibraryTest {
 protected:
  CString DocumentPath() const { return CString(U16(PathOf("settings.xml").string())); }
  bool HoldsUserDocument() const {
    return ReadFileOrDie(PathOf("settings.xml")).find("<!-- mine -->") != std::string::npos;
  }
};

TEST_F(FennimarDllInterfaceTest, FirstStartReplacesTheDocumentUntilTheFlagIsCleared) {
  WriteFileOrDie(PathOf("settings.xml"), kUserDocument);
  {
    FennimarDllInterface first(DocumentPath());
    std::uint32_t status = 99;
    EXPECT_EQ(first.GetUsedStatus(status), RC_SUCCESS);
    EXPECT_EQ(status, 1u) << "the constructor seeded the flag";
  }
  EXPECT_FALSE(HoldsUserDocument()) << "a first use installs the template";

  WriteFileOrDie(PathOf("settings.xml"), kUserDocument);
  {
    FennimarDllInterface second(DocumentPath());
    EXPECT_EQ(second.SetUsedStatus(), RC_SUCCESS);
  }
  EXPECT_FALSE(HoldsUserDocument()) << "still a first use: the flag was not cleared";
  WriteFileOrDie(PathOf("settings.xml"), kUserDocument);
  { FennimarDllInterface third(DocumentPath()); }
  EXPECT_TRUE(HoldsUserDocument());
}

// The placeholders answer without touching their argument.
TEST_F(FennimarDllInterfaceTest, AssignmentSharesThePartsAndBothMayBeDestroyed) {
  auto a = std::make_unique<FennimarDllInterface>(DocumentPath());
  auto b = std::make_unique<FennimarDllInterface>(CString(U16(PathOf("other.xml").string())));
  *a = *b;
  b.reset();
  std::uint32_t status = 99;
  EXPECT_EQ(a->GetUsedStatus(status), RC_SUCCESS) << "the shared controller is still alive";
  CString argument(u"kept as it was");
  EXPECT_EQ(a->EditAppItem(argument), RC_NOT_IMPLEMENTED);
  EXPECT_EQ(a->UpdateBrowserDir(argument), RC_SUCCESS);
  EXPECT_EQ(a->GetBrowserDir(argument), RC_SUCCESS);
  EXPECT_EQ(argument, u"kept as it was");
  a.reset();
  EXPECT_TRUE(fs::exists(PathOf("other.xml")));
}

TEST_F(FennimarDllInterfaceTest, TwoObjectsOnOnePathTheLastSaveWins) {
  MarkProductUsed();
  WriteFileOrDie(PathOf("settings.xml"), kUserDocument);
  auto first = std::make_unique<FennimarDllInterface>(DocumentPath());
  auto second = std::make_unique<FennimarDllInterface>(DocumentPath());
  _Fennimar_AppItem_ item = {u"1", u"/first", u"", u""};
  EXPECT_EQ(first->AddAppItem(item), RC_SUCCESS);
  first.reset();
  EXPECT_NE(ReadFileOrDie(PathOf("settings.xml")).find("/first"), std::string::npos);
  second.reset();
  EXPECT_EQ(ReadFileOrDie(PathOf("settings.xml")).find("/first"), std::string::npos)
      << "the second object's copy never held the item";
}

}  // namespace
}  // namespace fennimar
