// The sections whose values stand at fixed positions (the switches and the
// background pictures), and every section missing from its document.
#include <gtest/gtest.h>

#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

using testing::SectionTest;
using ValueSectionsTest = SectionTest;

std::string Global(const std::string& entries) {
  return "<FennimarSetting><GlobalSetting>" + entries + "</GlobalSetting></FennimarSetting>";
}

std::string Background(const std::string& entries) {
  return "<FennimarSetting><BackgroundSetting>" + entries +
         "</BackgroundSetting></FennimarSetting>";
}

std::string Switches(const _Fennimar_Config_& c) {
  return std::to_string(c.launchcode) + ' ' + std::to_string(c.mouseHook) + ' ' +
         std::to_string(c.soundEffect) + ' ' + std::to_string(c.lightEffect);
}

TEST_F(ValueSectionsTest, SwitchesAreReadByPositionAsDecimalText) {
  auto library = Open(Global(
      "<Launchcode> 7</Launchcode><MouseHook>+3</MouseHook><SoundEffect>12ab</SoundEffect>"
      "<LightEffect>x</LightEffect><FileChooserDefautDir>-2</FileChooserDefautDir>"));
  _Fennimar_Config_ config{9, 9, 9, 9};
  EXPECT_EQ(library->GetConfig(config), RC_SUCCESS);
  EXPECT_EQ(Switches(config), "7 3 12 0");
  int value = 99;
  EXPECT_EQ(library->IsMouseHookEnabled(value), RC_SUCCESS);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(library->IsLightEffectEnabled(value), RC_SUCCESS);
  EXPECT_EQ(value, 0);

  // Names are never compared, and a comment holds a position.
  library = Open(Global("<B>5</B><!-- 8 --><A>6</A>"));
  config = {9, 9, 9, 9};
  EXPECT_EQ(library->GetConfig(config), RC_SUCCESS);
  EXPECT_EQ(Switches(config), "5 8 6 9") << "a missing entry keeps the caller's value";
  value = 99;
  EXPECT_EQ(library->IsLightEffectEnabled(value), RC_SUCCESS);
  EXPECT_EQ(value, 99);
}

TEST_F(ValueSectionsTest, SetConfigWritesOnlyTheEntriesThatExist) {
  auto library = Open(Global(
      "<Launchcode>0</Launchcode><MouseHook>0</MouseHook><SoundEffect>0</SoundEffect>"
      "<LightEffect>0</LightEffect><FileChooserDefautDir>/keep</FileChooserDefautDir>"));
  _Fennimar_Config_ config{1, 0, -1, 2};
  EXPECT_EQ(library->SetConfig(config), RC_SUCCESS);
  library = Reopen();
  _Fennimar_Config_ read{};
  EXPECT_EQ(library->GetConfig(read), RC_SUCCESS);
  EXPECT_EQ(Switches(read), "1 0 -1 2");
  EXPECT_NE(DocumentBytes().find("/keep"), std::string::npos);

  library = Open(Global("<A>0</A><B>0</B>"));
  EXPECT_EQ(library->SetConfig(config), RC_SUCCESS);
  library = Reopen();
  read = {7, 7, 7, 7};
  EXPECT_EQ(library->GetConfig(read), RC_SUCCESS);
  EXPECT_EQ(Switches(read), "1 0 7 7") << "no entry is created";
}

TEST_F(ValueSectionsTest, BackgroundGoesByPositionNotByName) {
  auto library = Open(Background(
      "<DisplaySequence> 3</DisplaySequence><PictureFolder>C:\\pics</PictureFolder>"
      "<UsedStatus>keep me</UsedStatus>"));
  _Background_Config_ config{u"unchanged", 5};
  EXPECT_EQ(library->GetBackgroundConfig(config), RC_SUCCESS);
  EXPECT_EQ(config.pictureFolder, u"3");
  EXPECT_EQ(config.displaySequence, 0);

  _Background_Config_ written{u"", -42};
  EXPECT_EQ(library->SetBackgroundConfig(written), RC_SUCCESS);
  library = Reopen();
  config = {u"unchanged", 5};
  EXPECT_EQ(library->GetBackgroundConfig(config), RC_SUCCESS);
  EXPECT_EQ(config.pictureFolder, u"");
  EXPECT_EQ(config.displaySequence, -42);
  EXPECT_NE(DocumentBytes().find("keep me"), std::string::npos);
}

// Short sections keep and save what they can.
TEST_F(ValueSectionsTest, AnEmptyBackgroundKeepsTheCallersValuesAndStillSaves) {
  const std::string empty = Background("");
  auto library = Open(empty);
  _Background_Config_ config{u"mine", 5};
  EXPECT_EQ(library->GetBackgroundConfig(config), RC_SUCCESS);
  EXPECT_EQ(config.pictureFolder, u"mine");
  EXPECT_EQ(config.displaySequence, 5);
  EXPECT_EQ(library->SetBackgroundConfig(config), RC_SUCCESS);
  EXPECT_NE(DocumentBytes(), empty) << "the writer saves even with nothing to write";
}

TEST_F(ValueSectionsTest, AShortBackgroundSavesOnlyTheValuesItHasRoomFor) {
  auto library = Open(Background("<PictureFolder>/old</PictureFolder>"));
  _Background_Config_ config{u"mine", 5};
  EXPECT_EQ(library->SetBackgroundConfig(config), RC_SUCCESS);
  library = Reopen();
  _Background_Config_ read{u"", 77};
  EXPECT_EQ(library->GetBackgroundConfig(read), RC_SUCCESS);
  EXPECT_EQ(read.pictureFolder, u"mine");
  EXPECT_EQ(read.displaySequence, 77);
}

// Every section's reader and writer, on a document without that section.
TEST_F(ValueSectionsTest, EveryMethodFailsWithoutItsSectionAndWritesNothing) {
  const std::string original = "<FennimarSetting><Other/></FennimarSetting>";
  auto library = Open(original);
  _Fennimar_Config_ config{1, 2, 3, 4};
  _Background_Config_ background{u"x", 1};
  std::vector<_Fennimar_AppItem_> items(1);
  std::vector<_VDESKTOPINFO_> workspaces(2);
  _Fennimar_AppItem_ item;
  CString path(u"/x");
  int value = 5;
  for (const _Fennimar_ReturnCode_ answer :
       {library->GetConfig(config), library->SetConfig(config), library->IsLaunchcodeEnabled(value),
        library->GetBackgroundConfig(background), library->SetBackgroundConfig(background),
        library->GetApplicationsList(items), library->AddAppItem(item),
        library->DeleteAppItem(path), library->GetWorkspcaeConfig(workspaces),
        library->SetWorkspcaeConfig(workspaces)}) {
    EXPECT_EQ(answer, RC_FAIL);
  }
  EXPECT_EQ(value, 5);
  EXPECT_EQ(config.launchcode, 1);
  EXPECT_EQ(items.size(), 1u);
  EXPECT_EQ(workspaces.size(), 2u);
  EXPECT_EQ(DocumentBytes(), original);
}

}  // namespace
}  // namespace fennimar
