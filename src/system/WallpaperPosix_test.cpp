// The wallpaper on the Linux stand-in registry, which stores a value's bytes
// exactly as written: n units without a terminator are 2n bytes, and the
// longest path that fits the 1040-byte read is 520 units.
#include <gtest/gtest.h>

#include "src/system/Wallpaper_test.h"

namespace fennimar {
namespace {

using WallpaperPosixTest = testing::WallpaperFixture;

TEST_F(WallpaperPosixTest, ValuesAreStoredWithoutTerminatorAndReadThrough1040Bytes) {
  CreateDesktopKey();
  CString path;
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/pics/a.jpg!")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize(), std::make_pair(platform::kRegSz, 24u)) << "12 units";

  const CString longest(std::u16string(520, u'w'));
  EXPECT_EQ(SetWallpaper(controller_, longest), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().second, 1040u);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, longest) << "exactly 1040 bytes fit";
}

}  // namespace
}  // namespace fennimar
