#include "src/system/HardwareFlag.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "src/platform/Services.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestEnvironment.h"

namespace fennimar {
namespace {

using testing::ReadFileOrDie;
using testing::U16;
using testing::WriteFileOrDie;

class HardwareFlagTest : public testing::IsolatedTest {
 protected:
  // Runs as an executable in folder `name` of the test's own.
  std::unique_ptr<platform::ScopedServices> RunFrom(const std::string& name) {
    std::filesystem::create_directories(PathOf(name));
    executables_.push_back(
        std::make_unique<testing::FixedModulePath>(U16((PathOf(name) / "host").string())));
    return std::make_unique<platform::ScopedServices>(
        platform::Services{nullptr, nullptr, nullptr, executables_.back().get(), nullptr});
  }

  static platform::ModulePath& Module() { return *platform::CurrentServices().module; }
  static platform::IniFile& Ini() { return *platform::CurrentServices().ini; }

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
    auto scoped = RunFrom("one");
    EXPECT_EQ(GetHardwareFlag(Module(), Ini(), flag), RC_SUCCESS);
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(ClearHardwareFlag(Module(), Ini()), RC_SUCCESS);
  }
  EXPECT_EQ(ReadFileOrDie(PathOf("one") / "HWinfo.ini"),
            "; keep me\r\n[Other]\r\nIsFirstFlag=7\r\n[systemrequest]\r\nIsFirstFlag=0\r\n"
            "Light=2\r\n");
  auto scoped = RunFrom("two");
  EXPECT_EQ(GetHardwareFlag(Module(), Ini(), flag), RC_SYSTEM_ERROR);
  EXPECT_EQ(flag, 0xFFFFFFFFu) << "stored even on failure";
  EXPECT_EQ(ClearHardwareFlag(Module(), Ini()), RC_SUCCESS);
  EXPECT_EQ(GetHardwareFlag(Module(), Ini(), flag), RC_SUCCESS);
  EXPECT_EQ(flag, 0u);
  EXPECT_NE(ReadFileOrDie(PathOf("two") / "HWinfo.ini").find("IsFirstFlag=0"), std::string::npos);
  WriteFileOrDie(PathOf("two") / "HWinfo.ini", "[systemrequest]\nIsFirstFlag=-1\n");
  EXPECT_EQ(GetHardwareFlag(Module(), Ini(), flag), RC_SYSTEM_ERROR);
  EXPECT_EQ(flag, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace fennimar
