// The registry service, held to Windows' results on every platform.
#include "src/platform/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

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

// Windows adds the terminator a caller left out of a string value's size when
// the unit just past the data is zero, as it is after any wide string; the
// backend always passes the data that way, so the outcome does not depend on
// what follows the caller's bytes. The stand-in stores the bytes as given.
TEST_F(RegistryTest, StoredSizesOfStringsWithAndWithoutTerminator) {
#ifdef _WIN32
  constexpr int kBackend = 1;
#else
  constexpr int kBackend = 0;
#endif
  const std::u16string path = u"/pics/a.jpg!x";  // a non-zero unit after the first 12
  const std::uint32_t dword = 7;
  const struct {
    std::uint32_t type;
    const void* data;
    std::uint32_t size;
    std::uint32_t stored[2];  // on the stand-in, on Windows
  } cases[] = {{kRegSz, path.c_str(), 24, {24, 26}},
               {kRegSz, path.c_str(), 26, {26, 28}},
               {kRegSz, u"ab\0", 6, {6, 6}},
               {kRegSz, u"", 0, {0, 0}},
               {kRegDword, &dword, 4, {4, 4}}};
  for (const auto& c : cases) {
    ASSERT_TRUE(registry_.SetValue(key_, u"Value", c.type, c.data, c.size).ok());
    std::uint32_t type = 0, size = 4096;
    char buffer[4096];
    ASSERT_TRUE(registry_.QueryValue(key_, u"Value", &type, buffer, &size).ok());
    EXPECT_EQ(size, c.stored[kBackend]) << c.size << " bytes written";
  }
}

}  // namespace
}  // namespace fennimar::platform
