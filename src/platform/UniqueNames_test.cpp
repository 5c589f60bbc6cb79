// The unique names' one pattern: every name the maker gives reads back as
// its creator's, up to the largest process id, and nothing else does, so that
// no file of someone else's is ever taken for a dead writer's temporary.
#include "src/platform/UniqueNames.h"

#include <gtest/gtest.h>

#include <string>

namespace fennimar::platform {
namespace {

TEST(UniqueNamesTest, TheCreatorOfEveryNameMadeAndOfNoOther) {
  const std::string largest = UniqueSuffix(4294967295u, 0x0123456789abcdefull);
  EXPECT_EQ(CreatorOfUniqueName("doc" + largest, "doc"), 4294967295u) << largest;
  EXPECT_EQ(CreatorOfUniqueName(u"doc.7-1-00000000000000ff", u"doc"), 7u);
  EXPECT_NE(UniqueSuffix(7, 0), UniqueSuffix(7, 0)) << "the counter";
  for (const char* other :
       {"doc.4294967296-1-0123456789abcdef",  // beyond a 32-bit id
        "doc.12345678901-1-0123456789abcdef", "doc.0-1-0123456789abcdef",
        "doc.07-1-0123456789abcdef", "doc.7--0123456789abcdef", "doc.7-1-0123456789ABCDEF",
        "doc.7-1-0123456789abcde", "doc.7-1-0123456789abcdef0", "doc7-1-0123456789abcdef",
        "dot.7-1-0123456789abcdef", "doc.7-1-0123456789abcdefx"}) {
    EXPECT_EQ(CreatorOfUniqueName(other, "doc"), 0u) << other;
  }
}

}  // namespace
}  // namespace fennimar::platform
