// The registry service on the system's registry, below the test's own
// HKEY_CURRENT_USER (see the Windows test fixture).
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

TEST_F(Win32RegistryTest, KeysOpenBelowTheRootAndMissingOnesAreNotFound) {
  RegKey opened = kNullKey;
  ASSERT_TRUE(registry_->OpenKey(kHkeyCurrentUser, u"software\\FENNIMAR", kKeyAllAccess, &opened)
                  .ok());
  EXPECT_TRUE(registry_->CloseKey(opened).ok());
  EXPECT_TRUE(registry_->OpenKey(kHkeyCurrentUser, u"Missing", kKeyAllAccess, &opened).IsNotFound());
  EXPECT_TRUE(registry_->CloseKey(kHkeyCurrentUser).ok()) << "a root is never closed";
}

TEST_F(Win32RegistryTest, ValuesReadBackWithTheirTypeAndSize) {
  const std::uint32_t dword = 0x01020304;
  ASSERT_TRUE(registry_->SetValue(key_, u"IsFirstUse", kRegDword, &dword, 4).ok());
  std::uint32_t type = 0, size = 4, read = 0;
  ASSERT_TRUE(registry_->QueryValue(key_, u"IsFirstUse", &type, &read, &size).ok());
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(read, dword);
  size = 3;
  EXPECT_EQ(registry_->QueryValue(key_, u"IsFirstUse", &type, &read, &size).code(),
            Status::Code::kTooLarge);
  size = 4;
  EXPECT_TRUE(registry_->QueryValue(key_, u"Missing", &type, &read, &size).IsNotFound());
}

// Windows adds the terminator a caller left out of a REG_SZ value's size when
// the unit just past the data is zero, as it is after any C string; data
// followed by anything else is stored exactly.
TEST_F(Win32RegistryTest, AStringStoredWithoutItsTerminatorGainsOneWhenAZeroFollows) {
  const std::u16string path = u"/pics/a.jpg!";  // 12 units, 24 bytes, a zero after them
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, path.c_str(), 24).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 26u);
  const std::u16string longer = path + u"x";
  ASSERT_TRUE(registry_->SetValue(key_, u"Wallpaper", kRegSz, longer.c_str(), 24).ok());
  EXPECT_EQ(StoredSize(u"Wallpaper"), 24u);
}

}  // namespace
}  // namespace fennimar::platform
