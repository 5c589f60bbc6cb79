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

// A file whose flag's section follows another section with the same key.
constexpr char kOtherSectionFirst[] =
    "; keep me\r\n[Other]\r\nIsFirstFlag=7\r\n[systemrequest]\r\nIsFirstFlag=1\r\nLight=2\r\n";

// The flag of the file in the executable's folder; a missing file, or -1 in
// it, is no value, and the flag reads 0xFFFFFFFF then.
TEST_F(HardwareFlagTest, ReadsTheFlagsSectionOrNoValue) {
  const struct {
    const char* folder;
    const char* content;  // null: no file
    _Fennimar_ReturnCode_ code;
    std::uint32_t flag;
  } cases[] = {
      {"other section first", kOtherSectionFirst, RC_SUCCESS, 1u},
      {"missing", nullptr, RC_SYSTEM_ERROR, 0xFFFFFFFFu},
      {"minus one", "[systemrequest]\nIsFirstFlag=-1\n", RC_SYSTEM_ERROR, 0xFFFFFFFFu},
  };
  for (const auto& file : cases) {
    SCOPED_TRACE(file.folder);
    const platform::Services host = RunFrom(file.folder);
    if (file.content != nullptr) WriteFileOrDie(PathOf(file.folder) / "HWinfo.ini", file.content);
    std::uint32_t flag = 0;
    EXPECT_EQ(GetHardwareFlag(host, flag), file.code);
    EXPECT_EQ(flag, file.flag) << "stored even on failure";
  }
}

TEST_F(HardwareFlagTest, ClearingChangesOnlyTheFlagsLine) {
  const platform::Services host = RunFrom("one");
  WriteFileOrDie(PathOf("one") / "HWinfo.ini", kOtherSectionFirst);
  EXPECT_EQ(ClearHardwareFlag(host), RC_SUCCESS);
  EXPECT_EQ(ReadFileOrDie(PathOf("one") / "HWinfo.ini"),
            "; keep me\r\n[Other]\r\nIsFirstFlag=7\r\n[systemrequest]\r\nIsFirstFlag=0\r\n"
            "Light=2\r\n");
}

TEST_F(HardwareFlagTest, ClearingCreatesAMissingFile) {
  const platform::Services host = RunFrom("two");
  EXPECT_EQ(ClearHardwareFlag(host), RC_SUCCESS);
  std::uint32_t flag = 1;
  EXPECT_EQ(GetHardwareFlag(host, flag), RC_SUCCESS);
  EXPECT_EQ(flag, 0u);
  EXPECT_NE(ReadFileOrDie(PathOf("two") / "HWinfo.ini").find("IsFirstFlag=0"), std::string::npos);
}

// A file in one executable's folder is not another's.
TEST_F(HardwareFlagTest, EachExecutableFolderHasItsOwnFile) {
  std::uint32_t flag = 0;
  RunFrom("one");
  WriteFileOrDie(PathOf("one") / "HWinfo.ini", kOtherSectionFirst);
  {
    const platform::Services host = RunFrom("two");
    EXPECT_EQ(GetHardwareFlag(host, flag), RC_SYSTEM_ERROR);
    EXPECT_EQ(ClearHardwareFlag(host), RC_SUCCESS);
  }
  const platform::Services host = RunFrom("one");
  EXPECT_EQ(GetHardwareFlag(host, flag), RC_SUCCESS);
  EXPECT_EQ(flag, 1u);
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
