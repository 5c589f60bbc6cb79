#include "src/system/HardwareFlag.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "src/platform/wiring/Wiring.h"
#include "tests/support/FakeServices.h"
#include "tests/support/FaultInjectingFileSystem.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

class HardwareFlagTest : public testing::IsolatedTest {
 protected:
  // The services of an executable in folder `name` of the test's own.
  platform::Services RunFrom(const std::string& name) {
    std::filesystem::create_directories(PathOf(name));
    executables_.push_back(
        std::make_unique<testing::FixedModulePath>(U16((PathOf(name) / "host").string())));
    return platform::Substituted({nullptr, nullptr, nullptr, executables_.back().get(), nullptr});
  }

  std::vector<std::unique_ptr<testing::FixedModulePath>> executables_;
};

// Each executable's folder has its own file. A missing file, or -1 in it, is
// no value; clearing changes only the flag's line, or creates the file.
TEST_F(HardwareFlagTest, EachExecutableFolderHasItsOwnFile) {
  std::filesystem::create_directories(PathOf("one"));
  WriteFileOrDie(PathOf("one") / "HWinfo.ini",
                 "; keep me\r\n[Other]\r\nIsFirstFlag=7\r\n[systemrequest]\r\nIsFirstFlag=1\r\n"
                 "Light=2\r\n");
  std::uint32_t flag = 0;
  {
    const platform::Services one = RunFrom("one");
    EXPECT_EQ(GetHardwareFlag(one, flag), RC_SUCCESS);
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(ClearHardwareFlag(one), RC_SUCCESS);
  }
  EXPECT_EQ(ReadFileOrDie(PathOf("one") / "HWinfo.ini"),
            "; keep me\r\n[Other]\r\nIsFirstFlag=7\r\n[systemrequest]\r\nIsFirstFlag=0\r\n"
            "Light=2\r\n");
  const platform::Services two = RunFrom("two");
  EXPECT_EQ(GetHardwareFlag(two, flag), RC_SYSTEM_ERROR);
  EXPECT_EQ(flag, 0xFFFFFFFFu) << "stored even on failure";
  EXPECT_EQ(ClearHardwareFlag(two), RC_SUCCESS);
  EXPECT_EQ(GetHardwareFlag(two, flag), RC_SUCCESS);
  EXPECT_EQ(flag, 0u);
  EXPECT_NE(ReadFileOrDie(PathOf("two") / "HWinfo.ini").find("IsFirstFlag=0"), std::string::npos);
  WriteFileOrDie(PathOf("two") / "HWinfo.ini", "[systemrequest]\nIsFirstFlag=-1\n");
  EXPECT_EQ(GetHardwareFlag(two, flag), RC_SYSTEM_ERROR);
  EXPECT_EQ(flag, 0xFFFFFFFFu);
}

// A program folder that the user cannot write, as seen by the library.
class UnwritableFolder : public testing::FaultInjectingFileSystem {
 public:
  using FaultInjectingFileSystem::FaultInjectingFileSystem;
  bool CanWriteIn(std::u16string_view folder) override { return folder != unwritable; }
  std::u16string unwritable;
};

// Where the program's folder cannot be written, the flag goes to a per-user
// copy that starts from the folder's file and is read from then on.
TEST_F(HardwareFlagTest, AnUnwritableProgramFolderKeepsTheFlagInAPerUserCopy) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows redirects such writes by itself";
#endif
  std::filesystem::create_directories(PathOf("bin"));
  const std::string shipped = "[systemrequest]\r\nIsFirstFlag=1\r\nLight=2\r\n";
  WriteFileOrDie(PathOf("bin") / "HWinfo.ini", shipped);
  UnwritableFolder files(*platform::DefaultServices().files);
  testing::FixedModulePath module(Path16("bin/host"));
  module.per_user_root = Path16("store");
  const platform::Services services = platform::Substituted({&files, nullptr, nullptr, &module});
  EXPECT_EQ(HardwareIniPath(services), Path16("bin/HWinfo.ini")) << "writable: as always";

  files.unwritable = Path16("bin");
  const std::filesystem::path copy = PathOf("store") / root().relative_path() / "bin/HWinfo.ini";
  EXPECT_EQ(HardwareIniPath(services), U16(copy.string()));
  std::uint32_t flag = 0;
  EXPECT_EQ(GetHardwareFlag(services, flag), RC_SUCCESS);
  EXPECT_EQ(flag, 1u) << "the folder's own file until the copy exists";
  EXPECT_EQ(ClearHardwareFlag(services), RC_SUCCESS);
  EXPECT_EQ(ReadFileOrDie(PathOf("bin") / "HWinfo.ini"), shipped);
  EXPECT_EQ(ReadFileOrDie(copy), "[systemrequest]\r\nIsFirstFlag=0\r\nLight=2\r\n");
  files.unwritable.clear();
  EXPECT_EQ(GetHardwareFlag(services, flag), RC_SUCCESS);
  EXPECT_EQ(flag, 0u) << "the copy, once it exists, even where the folder is writable";
}

}  // namespace
}  // namespace fennimar
