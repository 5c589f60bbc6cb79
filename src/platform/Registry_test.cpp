// The registry service of the platform, held to one set of results on every
// platform: keys, typed values, and how a value that does not fit the
// reader's buffer is reported. Windows' registry is the reference.
#include "src/platform/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "src/platform/Services.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

class RegistryTest : public testing::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registry_.CreateKey(kHkeyCurrentUser, u"Software\\Fennimar\\Test", &key_).ok());
  }
  void TearDown() override { EXPECT_TRUE(registry_.CloseKey(key_).ok()); }

  Registry& registry_ = *CurrentServices().registry;
  RegKey key_ = kNullKey;
};

TEST_F(RegistryTest, KeysOpenByAnyLetterCaseAndMissingOnesAreNotFound) {
  RegKey opened = kNullKey;
  ASSERT_TRUE(
      registry_.OpenKey(kHkeyCurrentUser, u"software\\FENNIMAR", kKeyAllAccess, &opened).ok());
  EXPECT_TRUE(registry_.CloseKey(opened).ok());
  EXPECT_TRUE(registry_.OpenKey(kHkeyCurrentUser, u"Missing", kKeyAllAccess, &opened).IsNotFound());
  EXPECT_TRUE(registry_.CloseKey(kHkeyCurrentUser).ok()) << "a root is never closed";
}

TEST_F(RegistryTest, ValuesReadBackWithTheirTypeAndSize) {
  const std::uint32_t dword = 0x01020304;
  ASSERT_TRUE(registry_.SetValue(key_, u"IsFirstUse", kRegDword, &dword, 4).ok());
  std::uint32_t type = 0, size = 4, read = 0;
  ASSERT_TRUE(registry_.QueryValue(key_, u"isfirstuse", &type, &read, &size).ok());
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(read, dword);
  const unsigned char bytes[] = {1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(registry_.SetValue(key_, u"Blob", kRegBinary, bytes, sizeof bytes).ok());
  unsigned char back[16] = {};
  size = sizeof back;
  ASSERT_TRUE(registry_.QueryValue(key_, u"Blob", &type, back, &size).ok());
  EXPECT_EQ(type, kRegBinary);
  ASSERT_EQ(size, sizeof bytes);
  EXPECT_EQ(std::memcmp(back, bytes, sizeof bytes), 0);
  size = 4;
  EXPECT_TRUE(registry_.QueryValue(key_, u"Missing", &type, &read, &size).IsNotFound());
}

// The reader learns that the value does not fit, and how large it is and of
// which type; what its buffer holds then is not defined.
TEST_F(RegistryTest, AValueThatDoesNotFitIsTooLargeWithItsSizeAndType) {
  const unsigned char bytes[6] = {1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(registry_.SetValue(key_, u"IsFirstUse", kRegBinary, bytes, sizeof bytes).ok());
  std::uint32_t type = 0, size = 4, read = 0;
  EXPECT_EQ(registry_.QueryValue(key_, u"IsFirstUse", &type, &read, &size).code(),
            Status::Code::kTooLarge);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, kRegBinary);
}

}  // namespace
}  // namespace fennimar::platform
