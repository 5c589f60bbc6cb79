// Every writer, failed at each step of its save that touches the disk.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "fennimar/FennimarDllInterface.h"
#include "src/common/Names.h"
#include "src/platform/posix/PosixBackends.h"
#include "src/platform/standin/StandIns.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/LibraryTest.h"

namespace fennimar {
namespace {

namespace fs = std::filesystem;
using testing::FaultInjectingFileSystem;
using testing::ReadFileOrDie;
using testing::WriteFileOrDie;
using Op = FaultInjectingFileSystem::Op;

struct FaultKind {
  Op op;
  int error;
  bool short_write;  // the Append writes a few bytes before it fails
};

const FaultKind kFaultKinds[] = {
    {Op::kCreateUniqueFile, EACCES, false}, {Op::kAppend, ENOSPC, false},
    {Op::kAppend, EIO, false},              {Op::kAppend, ENOSPC, true},
    {Op::kSync, EIO, false},                {Op::kClose, EIO, false},
    {Op::kRename, EIO, false},              {Op::kSyncDirectory, EIO, false},
};

// What SavePassword does instead of answering: it throws CFileException.
constexpr int kThrew = -1;

struct Writer {
  const char* name;           // also the name of its count in the test report
  fs::path file;              // the file its save replaces
  std::function<int()> save;  // the call: its result, or kThrew
  int failed;                 // the call's result when the file was not written
};

std::set<fs::path> Entries(const fs::path& folder) {
  return {fs::directory_iterator(folder), fs::directory_iterator()};
}

class WriterFaultsTest : public testing::LibraryTest {
 protected:
  // Fails each step of `writer`'s save in turn; returns the faults injected.
  int FailEveryStep(const Writer& writer, const std::function<void()>& after_failure) {
    const std::string before = ReadFileOrDie(writer.file);
    files_.Reset();
    EXPECT_EQ(writer.save(), RC_SUCCESS);
    const std::string after = ReadFileOrDie(writer.file);
    EXPECT_NE(after, before);
    const std::set<fs::path> entries = Entries(writer.file.parent_path());
    int steps[FaultInjectingFileSystem::kOpCount] = {};
    for (const Op op : files_.Log()) ++steps[static_cast<int>(op)];
    int injected = 0;
    for (const FaultKind& kind : kFaultKinds) {
      EXPECT_GT(steps[static_cast<int>(kind.op)], 0) << FaultInjectingFileSystem::OpName(kind.op);
      for (int nth = 1; nth <= steps[static_cast<int>(kind.op)]; ++nth) {
        SCOPED_TRACE(std::string(FaultInjectingFileSystem::OpName(kind.op)) + " #" +
                     std::to_string(nth) + (kind.short_write ? " short" : "") + " errno " +
                     std::to_string(kind.error));
        WriteFileOrDie(writer.file, before);
        files_.Reset();
        if (kind.short_write) files_.ShortAppend(nth, 5, kind.error);
        if (!kind.short_write) files_.FailOperation(kind.op, nth, kind.error);
        EXPECT_EQ(writer.save(), writer.failed);
        EXPECT_EQ(files_.FaultsFired(), 1);
        injected += files_.FaultsFired();
        // Only the folder flush comes after the rename: the new content is
        // then in place, yet the writer reports the failure, since whether it
        // would survive a power loss is unknown.
        EXPECT_EQ(ReadFileOrDie(writer.file), kind.op == Op::kSyncDirectory ? after : before);
        EXPECT_EQ(Entries(writer.file.parent_path()), entries);
        if (after_failure) after_failure();
        files_.Reset();
        EXPECT_EQ(writer.save(), RC_SUCCESS);
        EXPECT_EQ(ReadFileOrDie(writer.file), after);
      }
    }
    return injected;
  }

  std::unique_ptr<platform::FileSystem> real_ = platform::NewPosixFileSystem();
  FaultInjectingFileSystem files_{*real_};
  std::unique_ptr<platform::Registry> registry_ = platform::NewHiveRegistry(files_);
  std::unique_ptr<platform::XmlDom> xml_ = platform::NewPugiXmlDom(files_);
  std::unique_ptr<platform::IniFile> ini_ = platform::NewTextIniFile(files_);
  platform::ScopedServices faulty_{
      {&files_, registry_.get(), xml_.get(), nullptr, nullptr, ini_.get()}};
};

TEST_F(WriterFaultsTest, AFailedSaveKeepsTheFileAndTheNextSaveWorks) {
  fs::create_directories(PathOf("secret"));
  WriteFileOrDie(root() / "module/HWinfo.ini", "[systemrequest]\r\nIsFirstFlag=1\r\n");
  FennimarDllInterface host(CString(Path16("settings/Fennimar.xml")));
  platform::RegKey desktop = platform::kNullKey;
  ASSERT_TRUE(registry_->CreateKey(platform::kHkeyCurrentUser, names::kDesktopKey, &desktop).ok());
  ASSERT_TRUE(registry_->CloseKey(desktop).ok());
  host.SetPasswordFilePath(CString(Path16("secret/password")));
  CString old_password(u"old"), new_password(u"new"), wallpaper(u"/pictures/new.png");
  ASSERT_NO_THROW(host.SavePassword(old_password));
  _Fennimar_Config_ config;
  ASSERT_EQ(host.GetConfig(config), RC_SUCCESS);
  config.soundEffect = !config.soundEffect;
  const fs::path hive = root() / "config/fennimar/HKEY_CURRENT_USER.reg";
  const Writer writers[] = {
      {"document", PathOf("settings/Fennimar.xml"), [&] { return int{host.SetConfig(config)}; },
       RC_SUCCESS},
      {"first_use_flag", hive, [&] { return int{host.SetUsedStatus()}; }, RC_SYSTEM_ERROR},
      {"wallpaper", hive, [&] { return int{host.SetCurrentBgImage(wallpaper)}; },
       RC_SYSTEM_ERROR},
      {"ini_flag", root() / "module/HWinfo.ini", [&] { return int{host.SetLightFlagStatus()}; },
       RC_SYSTEM_ERROR},
      {"password", PathOf("secret/password"),
       [&] {
         try {
           return int{host.SavePassword(new_password)};
         } catch (const CFileException&) {
           return kThrew;
         }
       },
       kThrew},
  };
  // A document save that failed keeps the change in memory for the next save.
  const std::function<void()> config_kept = [&] {
    _Fennimar_Config_ read;
    EXPECT_EQ(host.GetConfig(read), RC_SUCCESS);
    EXPECT_EQ(read.soundEffect, config.soundEffect);
  };
  int total = 0;
  for (const Writer& writer : writers) {
    SCOPED_TRACE(writer.name);
    const int injected = FailEveryStep(writer, writer.failed == RC_SUCCESS ? config_kept : std::function<void()>());
    RecordProperty(std::string("faults_") + writer.name, injected);
    total += injected;
  }
  RecordProperty("faults_total", total);
}

}  // namespace
}  // namespace fennimar
