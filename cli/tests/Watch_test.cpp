// `fennimar watch` as people use it: running in one process while other
// processes change the settings, its lines read as they come.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/tests/CliSandbox.h"
#include "cli/tests/WatchedProcess.h"

namespace fennimar::cli::test {
namespace {

namespace fs = std::filesystem;

const char kDesktopKey[] = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
const char kProductKey[] = "HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2";

void Ok(const CliSandbox& box, const std::vector<std::string>& args) {
  const RunResult result = box.Run(args);
  ASSERT_EQ(result.status, 0) << "fennimar " << args.front() << ": " << result.err;
}

// A home with the template installed, the first-use flag cleared,
// HWinfo.ini holding the flag 1 and no wallpaper key (a new registry file
// has one).
void Prepare(const CliSandbox& box) {
  Ok(box, {"dump"});
  box.Run({"reg", "delete", kDesktopKey});
  WriteText(box.Path("bin/HWinfo.ini"), "[systemrequest]\r\nIsFirstFlag=1\r\n");
}

struct Step {
  std::vector<std::string> change;  // the fennimar command that makes it
  std::vector<std::string> lines;   // what watch prints
};

TEST(WatchTest, PrintsEachChangeThatAnotherProgramMakes) {
  const std::vector<Step> steps = {
      {{"switches", "set", "sound-effect=1", "mouse-hook=0"},
       {"switches mouse-hook: 1 -> 0", "switches sound-effect: 0 -> 1"}},
      {{"apps", "add", "--key", "3", "--path", "/usr/bin/gimp"},
       {R"(apps 3: (none) -> {"key":"3","path":"/usr/bin/gimp","parameter":"","descriptionName":""})"}},
      {{"apps", "remove", "/usr/bin/gimp"},
       {R"(apps 3: {"key":"3","path":"/usr/bin/gimp","parameter":"","descriptionName":""} -> (none))"}},
      {{"background", "set", "--sequence", "4"}, {"background sequence: 0 -> 4"}},
      {{"workspaces", "set", "2", "name=Office"}, {R"(workspaces 2 name: "Home" -> "Office")"}},
      {{"reg", "add", kDesktopKey, "WallPaper", "--data", "/srv/a.png"},
       {R"(wallpaper: (none) -> "/srv/a.png")"}},
      {{"wallpaper", "set", "/srv/b.png"}, {R"(wallpaper: "/srv/a.png" -> "/srv/b.png")"}},
      {{"hw-flag", "clear"}, {"hw-flag: 1 -> 0"}},
      {{"reg", "add", kProductKey, "IsFirstUse", "--type", "REG_DWORD", "--data", "1"},
       {"first-use: 0 -> 1"}},
  };
  CliSandbox box;
  Prepare(box);
  WatchedProcess watch(box, {});
  for (const Step& step : steps) {
    Ok(box, step.change);
    EXPECT_EQ(watch.ReadLines(step.lines.size()), step.lines) << step.change.front();
  }
}

TEST(WatchTest, JsonGivesOneObjectALine) {
  CliSandbox box;
  Prepare(box);
  WatchedProcess watch(box, {"--json"});
  Ok(box, {"workspaces", "set", "3", "style-id=-7"});
  EXPECT_EQ(nlohmann::json::parse(watch.ReadLine()), nlohmann::json({{"setting", "workspaces"},
                                                                     {"position", 3},
                                                                     {"field", "styleID"},
                                                                     {"old", 3},
                                                                     {"new", -7}}));
}

// The document's folder is watched, not the file: a rename over it and a
// new file after a delete are seen like any change.
TEST(WatchTest, FollowsTheDocumentWhenItIsReplacedOrDeleted) {
  CliSandbox box;
  Prepare(box);
  const std::string other = box.Path("config/fennimar/Other.xml");
  Ok(box, {"--document", other, "switches", "set", "light-effect=0"});
  WatchedProcess watch(box, {});
  fs::rename(fs::u8path(other), fs::u8path(box.document()));
  EXPECT_EQ(watch.ReadLine(), "switches light-effect: 1 -> 0");

  fs::remove(fs::u8path(box.document()));
  const auto gone = watch.ReadLines(8);  // 2 applications, 2 sections, 4 workspaces
  EXPECT_EQ(
      gone[2],
      R"(switches: {"launchcode":1,"mouseHook":1,"soundEffect":0,"lightEffect":0} -> (none))");
  EXPECT_EQ(gone[7].substr(0, 13), "workspaces 4:");

  Ok(box, {"apps"});  // installs the template again
  const auto back = watch.ReadLines(8);
  EXPECT_EQ(
      back[2],
      R"(switches: (none) -> {"launchcode":1,"mouseHook":1,"soundEffect":0,"lightEffect":1})");
}

// Each way to end it gives status 0 without a partial line. On Windows a
// closed output shows only when the next line is written, hence the change.
TEST(WatchTest, EndsCleanly) {
  enum class End { kInterrupt, kCloseOutput };
  for (const End end : {End::kInterrupt, End::kCloseOutput}) {
#ifdef _WIN32
    if (end == End::kInterrupt) continue;
#endif
    CliSandbox box;
    Prepare(box);
    WatchedProcess watch(box, {});
    if (end == End::kInterrupt) {
      watch.Interrupt();
      EXPECT_EQ(watch.ReadLine(), "(end)");
    } else {
      watch.CloseOutput();
      Ok(box, {"switches", "set", "sound-effect=1"});
    }
    EXPECT_EQ(watch.Wait(), 0);
  }
}

}  // namespace
}  // namespace fennimar::cli::test
