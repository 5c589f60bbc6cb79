#include "src/platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "src/platform/posix/PosixBackends.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar::platform {
namespace {

using ::fennimar::testing::FaultInjectingFileSystem;
using ::fennimar::testing::ReadFileOrDie;
using ::fennimar::testing::WriteFileOrDie;
using Op = FaultInjectingFileSystem::Op;
namespace fs = std::filesystem;

constexpr unsigned kNewMode = 0600;

class AtomicFileTest : public ::fennimar::testing::IsolatedTest {
 protected:
  unsigned ModeOf(const std::string& name) {
    struct stat info {};
    EXPECT_EQ(::stat(PathOf(name).c_str(), &info), 0);
    return static_cast<unsigned>(info.st_mode) & 07777u;
  }
  // Names in `folder`, to see that no temporary was left behind.
  std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::unique_ptr<FileSystem> real_ = NewPosixFileSystem();
};

TEST_F(AtomicFileTest, ReplacesContentKeepingOrChoosingPermissionBits) {
  WriteFileOrDie(PathOf("kept"), "old content that is longer than the new");
  fs::permissions(PathOf("kept"), fs::perms(0640));
  ASSERT_TRUE(WriteFileAtomically(*real_, Path16("kept"), "new", kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathOf("kept")), "new");
  EXPECT_EQ(ModeOf("kept"), 0640u);

  // The exact bits asked for, even those the umask would take away.
  const mode_t saved_umask = ::umask(077);
  const Status created = WriteFileAtomically(*real_, Path16("fresh"), "", 0644);
  ::umask(saved_umask);
  ASSERT_TRUE(created.ok()) << created.message();
  EXPECT_EQ(ReadFileOrDie(PathOf("fresh")), "");
  EXPECT_EQ(ModeOf("fresh"), 0644u);
  EXPECT_EQ(Entries(root()), (std::set<std::string>{"config", "fresh", "kept"}));
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinksAndLeavesThemLinks) {
  fs::create_directories(PathOf("real"));
  fs::create_directories(PathOf("links"));
  WriteFileOrDie(PathOf("real/target"), "old");
  // A relative chain: links/first -> second -> ../real/target.
  fs::create_symlink("../real/target", PathOf("links/second"));
  fs::create_symlink("second", PathOf("links/first"));
  ASSERT_TRUE(WriteFileAtomically(*real_, Path16("links/first"), "new", kNewMode).ok());
  EXPECT_EQ(ReadFileOrDie(PathOf("real/target")), "new");
  EXPECT_TRUE(fs::is_symlink(PathOf("links/first")));
  EXPECT_TRUE(fs::is_symlink(PathOf("links/second")));
  EXPECT_EQ(Entries(PathOf("links")), (std::set<std::string>{"first", "second"}));

  // A dangling link makes its target.
  fs::create_symlink("real/later", PathOf("dangling"));
  ASSERT_TRUE(WriteFileAtomically(*real_, Path16("dangling"), "made", kNewMode).ok());
  EXPECT_TRUE(fs::is_symlink(PathOf("dangling")));
  EXPECT_EQ(ReadFileOrDie(PathOf("real/later")), "made");
}

TEST_F(AtomicFileTest, FlushesDataBeforeRenameAndFolderAfter) {
  FaultInjectingFileSystem files(*real_);
  ASSERT_TRUE(WriteFileAtomically(files, Path16("doc"), "x", kNewMode).ok());
  const std::vector<Op> log = files.Log();
  const auto at = [&log](Op op) { return std::find(log.begin(), log.end(), op) - log.begin(); };
  EXPECT_LT(at(Op::kAppend), at(Op::kSync));
  EXPECT_LT(at(Op::kSync), at(Op::kClose));
  EXPECT_LT(at(Op::kClose), at(Op::kRename));
  EXPECT_EQ(at(Op::kSyncDirectory), static_cast<long>(log.size()) - 1);
}

// Whichever call of a save fails, and however, the old file stays whole, no
// temporary is left, the failure is reported and the next save works. Only a
// failed folder flush comes after the rename: the new file is then in place.
TEST_F(AtomicFileTest, AFaultAtAnyStepLeavesTheOldFileWhole) {
  const std::string old_content(100000, 'o');
  WriteFileOrDie(PathOf("doc"), old_content);
  FaultInjectingFileSystem files(*real_);
  ASSERT_TRUE(WriteFileAtomically(files, Path16("doc"), old_content, kNewMode).ok());
  const std::vector<Op> steps = files.Log();
  ASSERT_GE(steps.size(), 8u);

  for (int error : {EIO, ENOSPC}) {
    for (int nth = 1; nth <= static_cast<int>(steps.size()); ++nth) {
      const Op step = steps[nth - 1];
      SCOPED_TRACE(std::string(FaultInjectingFileSystem::OpName(step)) + " errno " +
                   std::to_string(error));
      files.Reset();
      files.FailNthCall(nth, error);
      const Status failed = WriteFileAtomically(files, Path16("doc"), "new", kNewMode);
      EXPECT_FALSE(failed.ok());
      EXPECT_EQ(failed.os_error(), error);
      EXPECT_EQ(files.FaultsFired(), 1);
      const bool renamed = step == Op::kSyncDirectory;
      EXPECT_EQ(ReadFileOrDie(PathOf("doc")), renamed ? "new" : old_content);
      EXPECT_EQ(Entries(root()), (std::set<std::string>{"config", "doc"}));

      files.Reset();
      ASSERT_TRUE(WriteFileAtomically(files, Path16("doc"), old_content, kNewMode).ok());
      EXPECT_EQ(ReadFileOrDie(PathOf("doc")), old_content);
    }
  }
}

TEST_F(AtomicFileTest, AShortWriteIsAFailureNotATruncatedFile) {
  WriteFileOrDie(PathOf("doc"), "old");
  FaultInjectingFileSystem files(*real_);
  files.ShortAppend(1, 2, ENOSPC);
  const Status failed = WriteFileAtomically(files, Path16("doc"), "new content", kNewMode);
  EXPECT_EQ(failed.os_error(), ENOSPC);
  EXPECT_EQ(files.Count(Op::kRename), 0);
  EXPECT_EQ(ReadFileOrDie(PathOf("doc")), "old");
  EXPECT_EQ(Entries(root()), (std::set<std::string>{"config", "doc"}));
}

TEST_F(AtomicFileTest, FailsCleanlyWhereItCannotWrite) {
  const Status missing = WriteFileAtomically(*real_, Path16("absent/doc"), "x", kNewMode);
  EXPECT_TRUE(missing.IsNotFound()) << missing.message();

  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  fs::create_directories(PathOf("locked"));
  WriteFileOrDie(PathOf("locked/doc"), "old");
  fs::permissions(PathOf("locked"), fs::perms(0500));
  for (const char* name : {"locked/doc", "locked/new"}) {
    const Status denied = WriteFileAtomically(*real_, Path16(name), "new", kNewMode);
    EXPECT_EQ(denied.code(), Status::Code::kIoError) << name;
    EXPECT_EQ(denied.os_error(), EACCES) << name;
  }
  EXPECT_EQ(ReadFileOrDie(PathOf("locked/doc")), "old");
  EXPECT_EQ(Entries(PathOf("locked")), (std::set<std::string>{"doc"}));
}

}  // namespace
}  // namespace fennimar::platform
