// The atomic replace on every platform (see also AtomicFilePosix_test.cpp;
// each step failed in turn, for every writer, is in WriterFaults_test.cpp).
#include "src/platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "src/platform/Paths.h"
#include "src/platform/wiring/Wiring.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::ReadFileOrDie;
using ::fennimar::testing::U16;
using ::fennimar::testing::WriteFileOrDie;
namespace fs = std::filesystem;

constexpr unsigned kNewMode = 0600;
// POSIX systems keep permission bits; Windows keeps none.
#ifdef _WIN32
constexpr bool kKeepsPermissionBits = false;
#else
constexpr bool kKeepsPermissionBits = true;
#endif

// Every file of a test goes in the folder "w", whose entries are compared.
class AtomicFileTest : public ::fennimar::testing::IsolatedTest {
 protected:
  AtomicFileTest() { fs::create_directory(PathOf("w")); }

  std::u16string In(const char* name) { return Path16("w") + PathSeparator() + U16(name); }
  fs::path PathIn(const char* name) { return PathOf("w") / name; }
  std::set<std::string> Entries() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf("w"))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  FileSystem& real_ = *DefaultServices().files;
};

TEST_F(AtomicFileTest, ReplacesOrCreatesTheWholeFileAndLeavesNoTemporary) {
  WriteFileOrDie(PathIn("kept"), "old content that is longer than the new");
  fs::permissions(PathIn("kept"), fs::perms(0640));
  ASSERT_TRUE(WriteFileAtomically(real_, In("kept"), "new", kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathIn("kept")), "new");
  if (kKeepsPermissionBits) {
    EXPECT_EQ(fs::status(PathIn("kept")).permissions(), fs::perms(0640)) << "the bits it found";
  }
  const Status created = WriteFileAtomically(real_, In("fresh"), "", kNewMode);
  ASSERT_TRUE(created.ok()) << created.message();
  EXPECT_EQ(ReadFileOrDie(PathIn("fresh")), "");

  // Filled piece by piece, or not at all.
  const auto three_pieces = [](WritableFile& file) {
    for (const char* piece : {"one ", "two ", "three"}) {
      const Status status = file.Append(piece);
      if (!status.ok()) return status;
    }
    return Status::Ok();
  };
  ASSERT_TRUE(WriteFileAtomically(real_, In("kept"), three_pieces, kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathIn("kept")), "one two three");

  const auto refusing = [](WritableFile& file) {
    (void)file.Append("half");
    return Status::IoError("the content could not be produced");
  };
  EXPECT_FALSE(WriteFileAtomically(real_, In("kept"), refusing, kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathIn("kept")), "one two three");
  EXPECT_EQ(Entries(), (std::set<std::string>{"fresh", "kept"}));
}

}  // namespace
}  // namespace fennimar::platform
