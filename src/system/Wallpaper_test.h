// Wallpaper_test.h - the wallpaper tests' fixture: the registry of the
// current services, the desktop key created on demand, and the stored
// value's type and size as the registry reports them.
#ifndef FENNIMAR_SYSTEM_WALLPAPER_TEST_H_
#define FENNIMAR_SYSTEM_WALLPAPER_TEST_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "src/common/Names.h"
#include "src/platform/Services.h"
#include "src/system/Wallpaper.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::testing {

class WallpaperFixture : public IsolatedTest {
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

}  // namespace fennimar::testing

#endif  // FENNIMAR_SYSTEM_WALLPAPER_TEST_H_
