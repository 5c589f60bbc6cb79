#include "src/system/Wallpaper.h"

#include <gtest/gtest.h>

#include "src/common/Names.h"
#include "src/platform/Services.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

class WallpaperTest : public testing::IsolatedTest {
 protected:
  platform::Registry& registry() { return *platform::CurrentServices().registry; }

  void CreateDesktopKey() {
    platform::RegKey key = platform::kNullKey;
    ASSERT_TRUE(registry().CreateKey(platform::kHkeyCurrentUser, names::kDesktopKey, &key).ok());
    ASSERT_TRUE(registry().CloseKey(key).ok());
  }

  // Type and size of the stored value.
  std::pair<std::uint32_t, std::uint32_t> StoredTypeAndSize() {
    platform::RegKey key = platform::kNullKey;
    EXPECT_TRUE(registry()
                    .OpenKey(platform::kHkeyCurrentUser, names::kDesktopKey,
                             platform::kKeyAllAccess, &key)
                    .ok());
    unsigned char data[4096];
    std::uint32_t type = 0, size = sizeof data;
    EXPECT_TRUE(registry().QueryValue(key, names::kWallPaper, &type, data, &size).ok());
    EXPECT_TRUE(registry().CloseKey(key).ok());
    return {type, size};
  }

  RegistryController controller_{registry()};
};

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

TEST_F(WallpaperTest, ValuesAreStoredWithoutTerminatorAndReadThrough1040Bytes) {
  CreateDesktopKey();
  CString path;
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/pics/sea.jpg")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize(), std::make_pair(platform::kRegSz, 26u));
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, u"/pics/sea.jpg");

  EXPECT_EQ(SetWallpaper(controller_, CString(u"")), RC_SUCCESS);
  EXPECT_EQ(StoredTypeAndSize().second, 0u);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, u"0") << "an empty value reads as the buffer's first unit";

  const CString longest(std::u16string(520, u'w'));
  EXPECT_EQ(SetWallpaper(controller_, longest), RC_SUCCESS);
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SUCCESS);
  EXPECT_EQ(path, longest) << "exactly 1040 bytes fit";

  EXPECT_EQ(SetWallpaper(controller_, CString(std::u16string(521, u'w'))), RC_SUCCESS);
  path = u"untouched";
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SYSTEM_ERROR);
  EXPECT_EQ(path, u"untouched");
}

}  // namespace
}  // namespace fennimar
