// The registry service on the system's registry, below the test's own
// HKEY_CURRENT_USER (see the Windows test fixture), where it differs from the
// results every platform shares (Registry_test.cpp).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "src/platform/win32/Win32Backends.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

class Win32RegistryTest : public testing::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registry_->CreateKey(kHkeyCurrentUser, u"Software\\Fennimar\\Test", &key_).ok());
  }
  void TearDown() override { EXPECT_TRUE(registry_->CloseKey(key_).ok()); }

  std::uint32_t StoredSize(std::u16string_view name) {
    std::uint32_t type = 0, size = 4096;
    char buffer[4096];
    EXPECT_TRUE(registry_->QueryValue(key_, name, &type, buffer, &size).ok());
    return size;
  }

  std::unique_ptr<Registry> registry_ = NewWin32Registry();
  RegKey key_ = kNullKey;
};

// Windows adds the terminator a caller left out of a string value's size when
// the unit just past the data is zero, as it is after any wide string. The
// backend always passes the data that way, so the outcome does not depend on
// what follows the caller's bytes; a value of no bytes stays empty.
TEST_F(Win32RegistryTest, AStringStoredWithoutItsTerminatorAlwaysGainsOne) {
  const std::u16string path = u"/pics/a.jpg!x";  // 12 units written, then a non-zero one
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, path.c_str(), 24).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 26u);
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, path.c_str(), 26).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 28u);
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, u"ab\0", 6).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 6u) << "data that ends with a zero unit is kept";
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, u"", 0).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 0u);
  const std::uint32_t dword = 7;
  ASSERT_TRUE(registry_->SetValue(key_, u"IsFirstUse", kRegDword, &dword, 4).ok());
  EXPECT_EQ(StoredSize(u"IsFirstUse"), 4u) << "other types are stored exactly";
}

}  // namespace
}  // namespace fennimar::platform
