// dump and load: a dump taken back changes nothing, --dry-run lists the
// changes and writes nothing, and a dump with one bad field is refused whole.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {
namespace {

using nlohmann::json;

class DumpLoadTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(box_.Run({"apps", "add", "--key", "k", "--path", "/opt/tool"}).status, 0);
    ASSERT_EQ(box_.Run({"reg", "add", "HKCU\\Control Panel\\Desktop", "WallPaper", "--data",
                        "/srv/lake.png"})
                  .status,
              0);
    ASSERT_EQ(box_.Run({"password", "set"}, "hunter2\n").status, 0);
  }

  std::string Dump() {
    const RunResult result = box_.Run({"dump", "--json"});
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
  }

  // The dump with a switch, a workspace's name, the apps and the wallpaper
  // changed.
  json ChangedDump() {
    json dump = json::parse(Dump());
    dump["switches"]["soundEffect"] = 1;
    dump["workspaces"][0]["name"] = "Desk";
    dump["apps"].erase(0);
    dump["wallpaper"] = "/srv/sea.png";
    return dump;
  }

  // The document and the registry, to tell whether anything was written.
  std::string Files() const { return ReadText(box_.document()) + box_.Run({"reg", "export"}).out; }

  CliSandbox box_;
};

TEST_F(DumpLoadTest, DumpShowsEverySettingButNeverThePassword) {
  const std::string text = Dump();
  EXPECT_EQ(text.find("hunter2"), std::string::npos);
  const json dump = json::parse(text);
  EXPECT_EQ(dump["document"], box_.document());
  EXPECT_EQ(dump["firstUse"], 0);
  EXPECT_EQ(dump["apps"].size(), 3u);
  EXPECT_EQ(dump["switches"]["launchcode"], 1);
  EXPECT_EQ(dump["background"]["pictureFolder"], "/usr/share/backgrounds");
  EXPECT_EQ(dump["workspaces"].size(), 4u);
  EXPECT_EQ(dump["wallpaper"], "/srv/lake.png");
  EXPECT_TRUE(dump["hwFlag"].is_null());
  EXPECT_EQ(dump["password"], json({{"file", box_.password_file()}, {"exists", true}}));

  const RunResult readable = box_.Run({"dump"});
  EXPECT_EQ(readable.status, 0);
  EXPECT_NE(readable.out.find("/opt/tool"), std::string::npos);
  EXPECT_NE(readable.out.find("(exists)"), std::string::npos);
  EXPECT_EQ(readable.out.find("hunter2"), std::string::npos);
}

TEST_F(DumpLoadTest, AnUnchangedDumpChangesNothing) {
  const std::string text = Dump();
  const std::string before = Files();
  const RunResult same = box_.Run({"load", "-"}, text);
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "");
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(Dump(), text);
}

TEST_F(DumpLoadTest, ADryRunListsTheChangesAndWritesNothing) {
  const json dump = ChangedDump();
  const std::string before = Files();
  const RunResult dry = box_.Run({"load", "--dry-run", "-"}, dump.dump());
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_NE(dry.out.find("switches.soundEffect: 0 -> 1\n"), std::string::npos) << dry.out;
  EXPECT_NE(dry.out.find("workspaces[0].name: \"Work\" -> \"Desk\"\n"), std::string::npos);
  EXPECT_NE(dry.out.find("apps[0].path: \"/usr/bin/firefox\" -> \"/usr/bin/gnome-terminal\"\n"),
            std::string::npos);
  EXPECT_NE(dry.out.find("wallpaper: \"/srv/lake.png\" -> \"/srv/sea.png\"\n"), std::string::npos);
  EXPECT_EQ(Files(), before);
}

TEST_F(DumpLoadTest, ALoadMakesTheChangesAndLeavesNoneToMake) {
  const json dump = ChangedDump();
  ASSERT_EQ(box_.Run({"load", "-"}, dump.dump()).status, 0);
  EXPECT_EQ(box_.Run({"switches", "get", "sound-effect"}).out, "1\n");
  EXPECT_EQ(box_.Run({"wallpaper"}).out, "/srv/sea.png\n");
  const json after = json::parse(Dump());
  EXPECT_EQ(after["workspaces"][0]["name"], "Desk");
  EXPECT_EQ(after["apps"], dump["apps"]);
  EXPECT_EQ(box_.Run({"load", "--dry-run", "-"}, dump.dump()).out, "(no changes)\n");
  EXPECT_EQ(json::parse(box_.Run({"load", "--dry-run", "--json", "-"}, dump.dump()).out),
            json({{"changes", json::array()}}));
}

TEST_F(DumpLoadTest, ADumpWithOneBadFieldIsRefusedWhole) {
  json dump = json::parse(Dump());
  dump["apps"].erase(0);
  dump["workspaces"][1]["styleID"] = "two";
  const std::string before = Files();
  const RunResult result = box_.Run({"load", "-"}, dump.dump());
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fennimar: error: load: field 'workspaces[1].styleID' must be an integer\n");
  EXPECT_EQ(Files(), before);

  dump = json::parse(Dump());
  for (int i = 0; i < 6; ++i) dump["apps"].push_back(dump["apps"][0]);
  const RunResult full = box_.Run({"load", "-"}, dump.dump());
  EXPECT_EQ(full.status, 5);
  EXPECT_NE(full.err.find("(RC_LIST_FULL)"), std::string::npos);
  EXPECT_EQ(Files(), before);
}

}  // namespace
}  // namespace fennimar::cli::test
