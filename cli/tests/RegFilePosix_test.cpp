// On Linux the registry is the stand-in's file below XDG_CONFIG_HOME: `reg`
// changes it and `reg export` prints it byte for byte.
#include <gtest/gtest.h>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {
namespace {

TEST(RegFilePosixTest, ExportIsTheRegistryFile) {
  CliSandbox box;
  ASSERT_EQ(box.Run({"reg", "add", "HKCU\\Software\\Example", "Count", "--type", "REG_DWORD",
                     "--data", "7"})
                .status,
            0);
  const RunResult exported = box.Run({"reg", "export"});
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, ReadText(box.hive()));
  EXPECT_NE(exported.out.find("\"Count\"=dword:00000007"), std::string::npos);
  const RunResult missing = box.Run({"reg", "query", "HKCU\\Software\\Nothing"});
  EXPECT_EQ(missing.err,
            "fennimar: error: no registry key HKEY_CURRENT_USER\\Software\\Nothing in " +
                box.hive() + "\n");
}

}  // namespace
}  // namespace fennimar::cli::test
