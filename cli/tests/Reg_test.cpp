// reg: values of each type added, shown, exported and deleted in the
// platform's registry.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/tests/CliSandbox.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>

#include "cli/tests/SandboxPlatform.h"
#endif

namespace fennimar::cli::test {
namespace {

using nlohmann::json;

// Where the value "Count" of the key Software\Example is kept: the
// stand-in's file, which `reg export` prints byte for byte, or the system's
// registry below the key that the sandbox gives the program in place of
// HKEY_CURRENT_USER.
void ExpectCountStored(const CliSandbox& box, const std::string& exported) {
#ifdef _WIN32
  std::wstring key;
  for (const std::string& setting : HomeEnvironment(box.root(), box.config())) {
    const std::string name = "FENNIMAR_REGISTRY_KEY=";
    if (setting.rfind(name, 0) == 0) key = std::filesystem::u8path(setting.substr(name.size()));
  }
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, (key + L"\\Software\\Example").c_str(), L"Count",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 0xFFFFFFFFu);
  (void)exported;
#else
  EXPECT_EQ(exported, ReadText(box.hive()));
#endif
}

TEST(RegTest, ValuesAreAddedShownExportedAndDeleted) {
  CliSandbox box;
  const std::string key = "HKCU\\Software\\Example";
  // Added in name order: the stand-in lists values in the order they were
  // added, the Windows registry (under Wine) by name.
  ASSERT_EQ(
      box.Run({"reg", "add", key, "Blob", "--type", "REG_BINARY", "--data", "01,02,ff"}).status, 0);
  ASSERT_EQ(box.Run({"reg", "add", key, "Count", "--type", "REG_DWORD", "--data", "-1"}).status, 0);
  ASSERT_EQ(box.Run({"reg", "add", key + "\\Sub", "", "--data", "h\xc3\xa9llo"}).status, 0);

  const RunResult text = box.Run({"reg", "query", key});
  EXPECT_EQ(text.out,
            "HKEY_CURRENT_USER\\Software\\Example\n"
            "NAME   TYPE        DATA\n"
            "Blob   REG_BINARY  01,02,ff\n"
            "Count  REG_DWORD   0xffffffff (4294967295)\n"
            "HKEY_CURRENT_USER\\Software\\Example\\Sub\n");
  const json sub = json::parse(box.Run({"reg", "query", key + "\\Sub", "--json"}).out);
  EXPECT_EQ(sub["values"][0], json({{"name", ""}, {"type", "REG_SZ"}, {"data", "h\xc3\xa9llo"}}));
  EXPECT_EQ(json::parse(box.Run({"--json", "reg", "query", key, "Count"}).out)["values"][0]["data"],
            4294967295u);

  const RunResult exported = box.Run({"reg", "export"});
  EXPECT_EQ(exported.out.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
  EXPECT_NE(exported.out.find("[HKEY_CURRENT_USER\\Software\\Example]\r\n"), std::string::npos);
  EXPECT_NE(exported.out.find("\"Count\"=dword:ffffffff"), std::string::npos);
  ExpectCountStored(box, exported.out);

  ASSERT_EQ(box.Run({"reg", "delete", key, "Count"}).status, 0);
  EXPECT_EQ(box.Run({"reg", "query", key, "Count"}).status, 1);
  ASSERT_EQ(box.Run({"reg", "delete", key}).status, 0);
  EXPECT_EQ(box.Run({"reg", "query", key + "\\Sub"}).status, 1);
  EXPECT_EQ(box.Run({"reg", "delete", key}).status, 1);
}

}  // namespace
}  // namespace fennimar::cli::test
