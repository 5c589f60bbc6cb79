#include "src/system/Wallpaper.h"

#include <gtest/gtest.h>

#include "src/system/Wallpaper_test.h"

namespace fennimar {
namespace {

using WallpaperTest = testing::WallpaperFixture;

TEST_F(WallpaperTest, TheDesktopKeyIsNeverCreated) {
  CString path(u"untouched");
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SYSTEM_ERROR);
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/x.png")), RC_SYSTEM_ERROR);
  EXPECT_EQ(path, u"untouched");
  platform::RegKey key = platform::kNullKey;
  EXPECT_TRUE(registry()
                  .OpenKey(platform::kHkeyCurrentUser, names::kDesktopKey, platform::kKeyAllAccess,
                           &key)
                  .IsNotFound());
}

// What holds for every registry; the exact sizes differ (see the platform's
// own wallpaper test).
TEST_F(WallpaperTest, ValuesReadBackAndAnEmptyOneReadsAsZero) {
  CreateDesktopKey();
  CString path;
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/pics/sea.jpg")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().first, platform::kRegSz);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, u"/pics/sea.jpg");

  EXPECT_EQ(SetWallpaper(controller_, CString(u"")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().second, 0u);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, u"0") << "an empty value reads as the buffer's first unit";

  EXPECT_EQ(SetWallpaper(controller_, CString(std::u16string(521, u'w'))), RC_SUCCESS);
  path = u"untouched";
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SYSTEM_ERROR) << "more than 1040 bytes";
  EXPECT_EQ(path, u"untouched");
}

}  // namespace
}  // namespace fennimar
