// The wallpaper on the Windows registry, which adds the terminator that the
// written data lacks: n units are stored as 2n + 2 bytes, so the longest path
// that fits the 1040-byte read is 519 units, and 520 units no longer fit.
#include <gtest/gtest.h>

#include "src/system/Wallpaper_test.h"

namespace fennimar {
namespace {

using WallpaperWin32Test = testing::WallpaperFixture;

TEST_F(WallpaperWin32Test, TheRegistryAddsATerminatorSo520UnitsNoLongerFit) {
  CreateDesktopKey();
  CString path;
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/pics/a.jpg!")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize(), std::make_pair(platform::kRegSz, 26u)) << "12 units";

  const CString longest(std::u16string(519, u'w'));
  EXPECT_EQ(SetWallpaper(controller_, longest), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().second, 1040u);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, longest);

  EXPECT_EQ(SetWallpaper(controller_, CString(std::u16string(520, u'w'))), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().second, 1042u);
  path = u"untouched";
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SYSTEM_ERROR);
  EXPECT_EQ(path, u"untouched");
}

}  // namespace
}  // namespace fennimar
