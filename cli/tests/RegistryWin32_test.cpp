// On Windows the registry is the system's: `reg` changes it below the key
// that FENNIMAR_REGISTRY_KEY puts in HKEY_CURRENT_USER's place (the sandbox's
// own), and the settings document's default folder is %APPDATA%.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "cli/tests/CliSandbox.h"
#include "cli/tests/SandboxPlatform.h"

namespace fennimar::cli::test {
namespace {

// The sandbox's key, as the program was told it.
std::wstring SandboxKey(const CliSandbox& box) {
  for (const std::string& setting : HomeEnvironment(box.root(), box.config())) {
    const std::string name = "FENNIMAR_REGISTRY_KEY=";
    if (setting.rfind(name, 0) == 0) return std::filesystem::u8path(setting.substr(name.size()));
  }
  return std::wstring();
}

TEST(RegistryWin32Test, ValuesLandInTheSystemRegistryBelowTheGivenKey) {
  CliSandbox box;
  ASSERT_EQ(box.Run({"reg", "add", "HKCU\\Software\\Example", "Count", "--type", "REG_DWORD",
                     "--data", "7"})
                .status,
            0);
  DWORD value = 0, size = sizeof value;
  const std::wstring key = SandboxKey(box) + L"\\Software\\Example";
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Count", RRF_RT_REG_DWORD, nullptr,
                           &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 7u);

  const RunResult missing = box.Run({"reg", "query", "HKCU\\Software\\Nothing"});
  EXPECT_EQ(missing.err,
            "fennimar: error: no registry key HKEY_CURRENT_USER\\Software\\Nothing in the "
            "registry\n");
}

TEST(RegistryWin32Test, TheDefaultDocumentIsBelowAppData) {
  CliSandbox box;
  const RunResult dump = box.Run({"dump", "--json"});
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_NE(dump.out.find("fennimar\\\\Fennimar.xml"), std::string::npos) << dump.out;
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(box.document())));
}

}  // namespace
}  // namespace fennimar::cli::test
