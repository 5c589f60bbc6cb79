// Sessions as people use the program, in text and JSON.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {
namespace {

using nlohmann::json;

// Runs a command that must succeed and returns what it printed.
std::string Ok(const CliSandbox& box, const std::vector<std::string>& args,
               const std::string& input = std::string()) {
  const RunResult result = box.Run(args, input);
  EXPECT_EQ(result.status, 0) << "fennimar " << args.front() << ": " << result.err;
  EXPECT_EQ(result.err, "");
  return result.out;
}

json OkJson(const CliSandbox& box, std::vector<std::string> args) {
  args.push_back("--json");
  return json::parse(Ok(box, args));
}

TEST(SessionTest, ApplicationsAreAddedListedAndRemoved) {
  CliSandbox box;
  EXPECT_EQ(Ok(box, {"apps", "add", "--key", "3", "--path", "/usr/bin/gimp", "--parameter",
                     "--new-window", "--description", "Pictures"}),
            "");
  EXPECT_EQ(Ok(box, {"apps"}),
            "KEY  PATH                     PARAMETER     DESCRIPTION\n"
            "1    /usr/bin/firefox                       Web browser\n"
            "2    /usr/bin/gnome-terminal  --maximize    Terminal\n"
            "3    /usr/bin/gimp            --new-window  Pictures\n");
  EXPECT_EQ(OkJson(box, {"apps"})["apps"][2], json({{"key", "3"},
                                                    {"path", "/usr/bin/gimp"},
                                                    {"parameter", "--new-window"},
                                                    {"descriptionName", "Pictures"}}));
  Ok(box, {"apps", "remove", "/usr/bin/firefox"});
  const json apps = OkJson(box, {"apps"})["apps"];
  ASSERT_EQ(apps.size(), 2u);
  EXPECT_EQ(apps[0]["path"], "/usr/bin/gnome-terminal");
}

TEST(SessionTest, SwitchesBackgroundAndWorkspacesTakeNegativeNumbers) {
  CliSandbox box;
  Ok(box, {"switches", "set", "sound-effect=1", "mouse-hook=-3"});
  EXPECT_EQ(Ok(box, {"switches", "get", "sound-effect"}), "1\n");
  EXPECT_EQ(Ok(box, {"switches"}),
            "launchcode    1\nmouse-hook    -3\nsound-effect  1\nlight-effect  1\n");
  EXPECT_EQ(OkJson(box, {"switches"}),
            json({{"launchcode", 1}, {"mouseHook", -3}, {"soundEffect", 1}, {"lightEffect", 1}}));

  Ok(box, {"background", "set", "--folder", "/srv/pictures", "--sequence", "-2"});
  EXPECT_EQ(OkJson(box, {"background"}),
            json({{"pictureFolder", "/srv/pictures"}, {"displaySequence", -2}}));
  EXPECT_EQ(Ok(box, {"background"}), "folder    /srv/pictures\nsequence  -2\n");

  Ok(box, {"workspaces", "set", "2", "name=Office", "style-id=-5", "use-tarsel=0"});
  const json workspaces = OkJson(box, {"workspaces"})["workspaces"];
  ASSERT_EQ(workspaces.size(), 4u);
  EXPECT_EQ(workspaces[1], json({{"key", 2},
                                 {"name", "Office"},
                                 {"styleID", -5},
                                 {"mouseStyle", "default"},
                                 {"emRecylePath", ""},
                                 {"fuRecylePath", ""},
                                 {"mouseNo", 0},
                                 {"recyleNo", 0},
                                 {"useTarsel", 0}}));
  EXPECT_EQ(workspaces[0]["name"], "Work");
  EXPECT_NE(Ok(box, {"workspaces"}).find("2    Office  -5"), std::string::npos);
}

TEST(SessionTest, WallpaperAndHardwareFlag) {
  CliSandbox box;
  Ok(box, {"reg", "add", "HKCU\\Control Panel\\Desktop", "WallPaper", "--data", ""});
  Ok(box, {"wallpaper", "set", "/srv/pictures/lake.png"});
  EXPECT_EQ(Ok(box, {"wallpaper"}), "/srv/pictures/lake.png\n");
  EXPECT_EQ(OkJson(box, {"wallpaper"}), json({{"wallpaper", "/srv/pictures/lake.png"}}));

  EXPECT_EQ(box.Run({"hw-flag"}).status, 1);
  Ok(box, {"hw-flag", "clear"});
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(box.Path("bin/HWinfo.ini"))));
  EXPECT_EQ(Ok(box, {"hw-flag"}), "0\n");
  EXPECT_EQ(OkJson(box, {"hw-flag"}), json({{"hwFlag", 0}}));
}

TEST(SessionTest, PasswordIsSetFromStandardInputAndChecked) {
  CliSandbox box;
  Ok(box, {"password", "set"}, "s3cret pass\n");
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(box.password_file())));
  EXPECT_EQ(ReadText(box.password_file()).find("s3cret"), std::string::npos);
  Ok(box, {"password", "check"}, "s3cret pass\n");
  const RunResult wrong = box.Run({"password", "check"}, "secret pass\n");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.err, "fennimar: error: the password does not match (RC_FAIL)\n");
  EXPECT_EQ(wrong.out, "");

  const std::string other = box.Path("other-password");
  Ok(box, {"--password-file", other, "password", "set"}, "another\n");
  Ok(box, {"password", "check", "--password-file", other}, "another\n");
  Ok(box, {"password", "set", "--empty"});
  Ok(box, {"password", "check"}, "\n");
}

TEST(SessionTest, FirstUseInstallsTheTemplateOnceAndResetPutsItBack) {
  CliSandbox box;
  EXPECT_EQ(Ok(box, {"first-use"}), "1\n");
  EXPECT_EQ(Ok(box, {"first-use"}), "0\n");
  EXPECT_EQ(OkJson(box, {"first-use"}), json({{"firstUse", 0}}));
  Ok(box, {"apps", "add", "--key", "k", "--path", "/opt/tool"});
  EXPECT_NE(Ok(box, {"apps"}).find("/opt/tool"), std::string::npos);

  Ok(box, {"reset"});
  EXPECT_EQ(Ok(box, {"apps"}).find("/opt/tool"), std::string::npos);
  EXPECT_EQ(Ok(box, {"first-use"}), "0\n");
  const json flag =
      OkJson(box, {"reg", "query", "HKCU\\Software\\Tarsel\\Tarsel Kestrova2", "IsFirstUse"});
  EXPECT_EQ(flag["values"][0]["data"], 0);
}

TEST(SessionTest, GlobalOptionsGoBeforeOrAfterTheCommand) {
  CliSandbox box;
  EXPECT_EQ(Ok(box, {"--json", "switches"}), Ok(box, {"switches", "--json"}));
  EXPECT_EQ(Ok(box, {"--version"}), "fennimar " FENNIMAR_VERSION "\n");
  const std::string help = Ok(box, {"--help"});
  EXPECT_NE(help.find("Exit status:"), std::string::npos);
  EXPECT_NE(help.find("5  a limit was reached"), std::string::npos);
  EXPECT_NE(Ok(box, {"first-use", "--help"}).find("as it was found"), std::string::npos);

  CliSandbox fresh;
  const std::string elsewhere = fresh.Path("elsewhere/Settings.xml");
  const RunResult moved = fresh.Run({"apps"}, "", {"FENNIMAR_DOCUMENT=" + elsewhere});
  EXPECT_EQ(moved.status, 0) << moved.err;
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(elsewhere)));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(fresh.document())));
}

}  // namespace
}  // namespace fennimar::cli::test
