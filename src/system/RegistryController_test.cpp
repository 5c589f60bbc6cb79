#include "src/system/RegistryController.h"

#include <gtest/gtest.h>

#include <set>

#include "src/common/Names.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

using platform::kHkeyCurrentUser;
using platform::RegKey;

// Passes every call to the real registry and keeps account of the keys it
// opened: the controller must close each of them once, and nothing else.
class KeyLedger : public platform::Registry {
 public:
  explicit KeyLedger(platform::Registry& real) : real_(real) {}
  Status OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                 RegKey* opened) override {
    return Note(real_.OpenKey(parent, subkey, access, opened), opened);
  }
  Status CreateKey(RegKey parent, std::u16string_view subkey, RegKey* created) override {
    return Note(real_.CreateKey(parent, subkey, created), created);
  }
  Status QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override {
    return real_.QueryValue(key, name, type, data, size);
  }
  Status GetValue(RegKey parent, std::u16string_view subkey, std::u16string_view name,
                  std::uint32_t* type, void* data, std::uint32_t* size) override {
    return real_.GetValue(parent, subkey, name, type, data, size);  // opens no key of ours
  }
  Status SetValue(RegKey key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override {
    return real_.SetValue(key, name, type, data, size);
  }
  Status CloseKey(RegKey key) override {
    if (key != kHkeyCurrentUser && open.erase(key) != 1) ++stray_closes;
    return real_.CloseKey(key);
  }

  std::multiset<RegKey> open;
  int stray_closes = 0;

 private:
  Status Note(Status status, const RegKey* key) {
    if (status.ok()) open.insert(*key);
    return status;
  }
  platform::Registry& real_;
};

class RegistryControllerTest : public testing::IsolatedTest {
 protected:
  platform::Registry& registry() { return *platform::DefaultServices().registry; }

  void PutProductValue(std::uint32_t type, const void* data, std::uint32_t size) {
    RegKey key = platform::kNullKey;
    ASSERT_TRUE(registry().CreateKey(kHkeyCurrentUser, names::kProductKey, &key).ok());
    ASSERT_TRUE(!data || registry().SetValue(key, names::kIsFirstUse, type, data, size).ok());
    ASSERT_TRUE(registry().CloseKey(key).ok());
  }

  // Type and data of "IsFirstUse", or type 0 when it cannot be read.
  std::pair<std::uint32_t, std::uint32_t> ReadProductValue() {
    RegKey key = platform::kNullKey;
    std::uint32_t type = 0, value = 0, size = sizeof value;
    if (registry()
            .OpenKey(kHkeyCurrentUser, names::kProductKey, platform::kKeyAllAccess, &key)
            .ok()) {
      if (!registry().QueryValue(key, names::kIsFirstUse, &type, &value, &size).ok()) type = 0;
      EXPECT_TRUE(registry().CloseKey(key).ok());
    }
    return {type, value};
  }

  // After each test: no key left open, none closed that was not open.
  void TearDown() override {
    EXPECT_TRUE(ledger_.open.empty());
    EXPECT_EQ(ledger_.stray_closes, 0);
  }

  KeyLedger ledger_{registry()};
  RegistryController controller_{ledger_};
};

TEST_F(RegistryControllerTest, FirstReadSeedsTheKeyAndClearingSticks) {
  EXPECT_EQ(controller_.SetUsedStatus(), RC_SYSTEM_ERROR);
  EXPECT_EQ(ReadProductValue().first, 0u) << "clearing never creates the key";
  std::uint32_t status = 42;
  EXPECT_EQ(controller_.GetUsedStatus(status), RC_SUCCESS);
  EXPECT_EQ(status, 1u);
  EXPECT_EQ(ReadProductValue(), std::make_pair(platform::kRegDword, 1u));

  EXPECT_EQ(controller_.SetUsedStatus(), RC_SUCCESS);
  EXPECT_EQ(controller_.GetUsedStatus(status), RC_SUCCESS);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(ReadProductValue(), std::make_pair(platform::kRegDword, 0u));
}

// Another number is passed on whatever its type, a short value fills only
// its own bytes; a key without the value, or one too long, is a failed read
// and seeds nothing.
TEST_F(RegistryControllerTest, StoredValuesThatAreNotAPlainFlag) {
  const std::uint32_t seven = 7;
  const struct {
    std::uint32_t type;
    const void* data;
    std::uint32_t size;
    _Fennimar_ReturnCode_ answer;
    std::uint32_t status;
  } cases[] = {{platform::kRegDword, nullptr, 0, RC_SYSTEM_ERROR, 42},
               {platform::kRegDword, &seven, 4, RC_SUCCESS, 7},
               {platform::kRegBinary, "\x02\x00\x00\x00", 4, RC_SUCCESS, 2},
               {platform::kRegBinary, "\x05", 1, RC_SUCCESS, 5},
               {platform::kRegSz, u"yes", 8, RC_SYSTEM_ERROR, 42}};
  for (const auto& c : cases) {
    PutProductValue(c.type, c.data, c.size);
    std::uint32_t status = 42;
    EXPECT_EQ(controller_.GetUsedStatus(status), c.answer) << c.size;
    EXPECT_EQ(status, c.status) << c.size;
    EXPECT_EQ(c.data ? 0u : ReadProductValue().first, 0u) << "no value may be created";
  }
}

}  // namespace
}  // namespace fennimar
