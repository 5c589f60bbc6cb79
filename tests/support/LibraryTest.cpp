#include "tests/support/LibraryTest.h"

#include "src/common/Names.h"

namespace fennimar::testing {

void LibraryTest::MarkProductUsed() {
  platform::Registry& registry = *platform::DefaultServices().registry;
  platform::RegKey key = platform::kNullKey;
  const unsigned char used[4] = {0, 0, 0, 0};
  ASSERT_TRUE(registry.CreateKey(platform::kHkeyCurrentUser, names::kProductKey, &key).ok());
  ASSERT_TRUE(registry.SetValue(key, names::kIsFirstUse, platform::kRegDword, used, 4).ok());
  ASSERT_TRUE(registry.CloseKey(key).ok());
}

std::unique_ptr<FennimarDllInterface> SectionTest::Open(const std::string& xml) {
  WriteFileOrDie(DocumentPath(), xml);
  return Reopen();
}

std::unique_ptr<FennimarDllInterface> SectionTest::Reopen() {
  return std::make_unique<FennimarDllInterface>(CString(U16(DocumentPath().string())));
}

}  // namespace fennimar::testing
