// The wallpaper path on every platform's registry. Windows adds a terminator
// the stand-in does not, so its longest path is one unit shorter.
#include "src/system/Wallpaper.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "src/common/Names.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

using platform::kHkeyCurrentUser;

#ifdef _WIN32
constexpr std::uint32_t kAddedTerminatorBytes = 2;
#else
constexpr std::uint32_t kAddedTerminatorBytes = 0;
#endif

class WallpaperTest : public testing::IsolatedTest {
 protected:
  platform::Registry& registry() { return *platform::DefaultServices().registry; }
  // Opens (or creates) the desktop key; kNullKey when it cannot.
  platform::RegKey DesktopKey(bool create) {
    platform::RegKey key = platform::kNullKey;
    const Status status = create ? registry().CreateKey(kHkeyCurrentUser, names::kDesktopKey, &key)
                                 : registry().OpenKey(kHkeyCurrentUser, names::kDesktopKey,
                                                      platform::kKeyAllAccess, &key);
    return status.ok() ? key : platform::kNullKey;
  }
  // Sets the wallpaper to `path` and gives back the stored value's size.
  std::uint32_t SetAndMeasure(const std::u16string& path) {
    EXPECT_EQ(SetWallpaper(controller_, CString(path)), RC_SUCCESS);
    const platform::RegKey key = DesktopKey(false);
    unsigned char data[4096];
    std::uint32_t type = 0, size = sizeof data;
    EXPECT_TRUE(registry().QueryValue(key, names::kWallPaper, &type, data, &size).ok());
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_TRUE(registry().CloseKey(key).ok());
    return size;
  }

  RegistryController controller_{registry()};
};

TEST_F(WallpaperTest, WithoutTheDesktopKeyNothingIsReadOrWrittenAndNoKeyMade) {
  UseRegistryWithoutProfileKeys();
  CString path(u"untouched");
  EXPECT_EQ(GetWallpaper(controller_, path), RC_SYSTEM_ERROR);
  EXPECT_EQ(SetWallpaper(controller_, CString(u"/x.png")), RC_SYSTEM_ERROR);
  EXPECT_EQ(path, u"untouched");
  EXPECT_EQ(DesktopKey(false), platform::kNullKey) << "the desktop key is never created";
}

struct StoredPath {
  std::u16string path;
  std::uint32_t size;  // of the stored value
  _Fennimar_ReturnCode_ code;
  std::u16string read;  // what a read gives a caller holding "untouched"
  const char* why;
};

TEST_F(WallpaperTest, StoredWithoutTerminatorAndReadThrough1040Bytes) {
  UseRegistryWithoutProfileKeys();
  ASSERT_TRUE(registry().CloseKey(DesktopKey(true)).ok());
  const std::u16string longest((1040 - kAddedTerminatorBytes) / 2, u'w');
  const StoredPath cases[] = {
      {u"/pics/a.jpg!", 24u + kAddedTerminatorBytes, RC_SUCCESS, u"/pics/a.jpg!", "12 units"},
      {u"", 0u, RC_SUCCESS, u"0", "an empty value reads as the buffer's first unit"},
      {longest, 1040u, RC_SUCCESS, longest, "exactly 1040 bytes fit"},
      {longest + u"w", 1042u, RC_SYSTEM_ERROR, u"untouched", "more than 1040 bytes"},
  };
  for (const StoredPath& stored : cases) {
    SCOPED_TRACE(stored.why);
    EXPECT_EQ(SetAndMeasure(stored.path), stored.size);
    CString path(u"untouched");
    EXPECT_EQ(GetWallpaper(controller_, path), stored.code);
    EXPECT_EQ(path, CString(stored.read));
  }
}

}  // namespace
}  // namespace fennimar
