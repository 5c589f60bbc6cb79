// The registry service, held to Windows' results on every platform.
#include "src/platform/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

class RegistryTest : public testing::IsolatedTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registry_.CreateKey(kHkeyCurrentUser, u"Software\\Fennimar\\Test", &key_).ok());
  }
  void TearDown() override { EXPECT_TRUE(registry_.CloseKey(key_).ok()); }

  Registry& registry_ = *DefaultServices().registry;
  RegKey key_ = kNullKey;
};

// Keys open and values read back by any letter case of their names, each
// value with its type and bytes. Windows adds the terminator a caller left out
// of a string value's size when the unit just past the data is zero, as it is
// after any wide string; the backend always passes the data that way, so the
// outcome does not depend on what follows the caller's bytes. The stand-in
// stores the bytes as given.
TEST_F(RegistryTest, KeysAndValuesReadBackWithTypeBytesAndStoredSizeOrAreTooLarge) {
#ifdef _WIN32
  constexpr int kBackend = 1;
#else
  constexpr int kBackend = 0;
#endif
  const std::u16string path = u"/pics/a.jpg!x";  // a non-zero unit after the first 12
  const std::uint32_t dword = 0x01020304;
  const unsigned char bytes[] = {1, 2, 3, 4, 5, 6};
  const struct {
    std::uint32_t type;
    const void* data;
    std::uint32_t size;
    std::uint32_t stored[2];  // on the stand-in, on Windows
  } cases[] = {{kRegSz, path.c_str(), 24, {24, 26}}, {kRegSz, path.c_str(), 26, {26, 28}},
               {kRegSz, u"ab\0", 6, {6, 6}},        {kRegSz, u"", 0, {0, 0}},
               {kRegDword, &dword, 4, {4, 4}},       {kRegBinary, bytes, 6, {6, 6}}};
  std::uint32_t type = 0, size = 4096;
  char buffer[4096];
  for (const auto& c : cases) {
    ASSERT_TRUE(registry_.SetValue(key_, u"Value", c.type, c.data, c.size).ok());
    size = sizeof buffer;
    ASSERT_TRUE(registry_.QueryValue(key_, u"vALUE", &type, buffer, &size).ok());
    EXPECT_EQ(type, c.type) << c.size << " bytes written";
    EXPECT_EQ(size, c.stored[kBackend]) << c.size << " bytes written";
    EXPECT_EQ(std::memcmp(buffer, c.data, c.size), 0) << c.size << " bytes written";
  }
  EXPECT_TRUE(registry_.QueryValue(key_, u"Missing", &type, buffer, &size).IsNotFound());
  RegKey opened = kNullKey;
  ASSERT_TRUE(registry_.OpenKey(kHkeyCurrentUser, u"software\\FENNIMAR", kKeyAllAccess, &opened).ok());
  EXPECT_TRUE(registry_.CloseKey(opened).ok());
  EXPECT_TRUE(registry_.OpenKey(kHkeyCurrentUser, u"Missing", kKeyAllAccess, &opened).IsNotFound());
  EXPECT_TRUE(registry_.CloseKey(kHkeyCurrentUser).ok()) << "a root is never closed";
  // The last value does not fit in 4 bytes: the reader learns how large it is
  // and of which type; what its buffer holds then is not defined.
  size = 4;
  type = 0;
  EXPECT_EQ(registry_.QueryValue(key_, u"Value", &type, buffer, &size).code(), Status::Code::kTooLarge);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, kRegBinary);
}

}  // namespace
}  // namespace fennimar::platform
