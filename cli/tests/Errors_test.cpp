// Each way the program fails: the one line on standard error, naming what
// failed, why, and the library's result code, and the documented exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {
namespace {

void Nothing(const CliSandbox&) {}

// Where the registry the program names is: the stand-in's file on Linux, the
// system's registry on Windows.
std::string RegistryPlace(const CliSandbox& box) {
#ifdef _WIN32
  return (void)box, "the registry";
#else
  return box.hive();
#endif
}

struct ErrorCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  // "{doc}", "{password}", "{root}" and "{registry}" stand for the settings
  // document's path, the password file's, the sandbox's folder (in args too)
  // and where the platform's registry is.
  std::string message;
  std::string input = "";
  void (*setup)(const CliSandbox&) = Nothing;
};

// The program has run once, so the first-use flag is cleared and the
// document is kept from now on.
void FirstRunDone(const CliSandbox& box) { ASSERT_EQ(box.Run({"apps"}).status, 0); }

void DamageDocument(const CliSandbox& box) {
  FirstRunDone(box);
  WriteText(box.document(), "<FennimarSetting><AppList>");
}

void DropAppList(const CliSandbox& box) {
  FirstRunDone(box);
  WriteText(box.document(),
            "<FennimarSetting><GlobalSetting><a>1</a></GlobalSetting>"
            "</FennimarSetting>");
}

// A registry without the desktop's key: a new registry file has it, one
// that exists is taken as it is.
void DropDesktopKey(const CliSandbox& box) {
  box.Run({"reg", "delete", "HKCU\\Control Panel\\Desktop"});
}

void FillAppList(const CliSandbox& box) {
  for (int i = 3; i <= 8; ++i) {
    const std::string n = std::to_string(i);
    ASSERT_EQ(box.Run({"apps", "add", "--key", n, "--path", "/opt/app" + n}).status, 0);
  }
}

void ReadOnlyDocument(const CliSandbox& box) {
  FirstRunDone(box);
  std::filesystem::permissions(
      box.document(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

void SetPassword(const CliSandbox& box) {
  ASSERT_EQ(box.Run({"password", "set"}, "right\n").status, 0);
}

// clang-format off
const ErrorCase kCases[] = {
    {"UnknownCommand", {"frobnicate"}, 2,
     "unknown command 'frobnicate' for fennimar; valid commands: apps, switches, background, "
     "workspaces, wallpaper, first-use, reset, hw-flag, password, reg, dump, load"},
    {"UnknownVerb", {"apps", "list"}, 2,
     "unknown command 'list' for fennimar apps; valid commands: add, remove"},
    {"UnknownOption", {"apps", "add", "--colour", "red"}, 2,
     "unknown option '--colour' for fennimar apps add; valid options: --help, --key, --path, "
     "--parameter, --description, --document, --password-file, --json, --version"},
    {"UnknownSwitch", {"switches", "set", "volume=1"}, 2,
     "unknown switch 'volume'; valid switches: launchcode, mouse-hook, sound-effect, "
     "light-effect"},
    {"UnknownWorkspaceField", {"workspaces", "set", "1", "colour=red"}, 2,
     "unknown workspace field 'colour'; valid fields: name, style-id, mouse-style, "
     "em-recyle-path, fu-recyle-path, mouse-no, recyle-no, use-tarsel"},
    {"UnparsableValue", {"switches", "set", "sound-effect=loud"}, 2,
     "sound-effect: 'loud' is not an integer"},
    {"MissingArgument", {"apps", "add", "--key", "1"}, 2, "--path is required"},
    {"NoCommand", {}, 2, "no command given; valid commands: apps, switches,"},
    {"NoSuchApplication", {"apps", "remove", "/nowhere"}, 1,
     "no application with the path /nowhere in {doc}"},
    {"NoSuchWorkspace", {"workspaces", "set", "9", "name=x"}, 1,
     "no workspace 9 (the document has 4)"},
    {"NinthApplication", {"apps", "add", "--key", "9", "--path", "/opt/app9"}, 5,
     "cannot add /opt/app9: the application list already holds 8 items (RC_LIST_FULL)",
     "", FillAppList},
    {"DamagedDocument", {"apps"}, 3,
     "the settings document {doc} could not be loaded (RC_FAIL)", "", DamageDocument},
    {"MissingSection", {"apps"}, 3, "no AppList section in {doc} (RC_FAIL)", "", DropAppList},
    {"PasswordMismatch", {"password", "check"}, 1,
     "the password does not match (RC_FAIL)", "wrong\n", SetPassword},
    // Every writer of the document tells a save that did not reach the disk.
    {"ReadOnlySwitches", {"switches", "set", "sound-effect=1"}, 4,
     "cannot save {doc}: read-only file (RC_FILE_ERROR)\n", "", ReadOnlyDocument},
    {"ReadOnlyAppsAdd", {"apps", "add", "--key", "3", "--path", "/a"}, 4,
     "cannot save {doc}: read-only file (RC_FILE_ERROR)\n", "", ReadOnlyDocument},
    {"ReadOnlyAppsRemove", {"apps", "remove", "/usr/bin/firefox"}, 4,
     "cannot save {doc}: read-only file (RC_FILE_ERROR)\n", "", ReadOnlyDocument},
    {"ReadOnlyBackground", {"background", "set", "--sequence", "2"}, 4,
     "cannot save {doc}: read-only file (RC_FILE_ERROR)\n", "", ReadOnlyDocument},
    {"ReadOnlyWorkspaces", {"workspaces", "set", "1", "name=x"}, 4,
     "cannot save {doc}: read-only file (RC_FILE_ERROR)\n", "", ReadOnlyDocument},
    {"ReadOnlyLoad", {"load", "-"}, 4, "cannot save {doc}: read-only file (RC_FILE_ERROR)\n",
     R"({"switches": {"soundEffect": 7}})", ReadOnlyDocument},
    {"NoPasswordFile", {"password", "check"}, 1,
     "cannot open the password file {password} (RC_FILE_ERROR)", "any\n"},
    {"PasswordNotWritable",
     {"password", "set", "--password-file", "{root}/nonexistent/folder/password"}, 4,
     "cannot write the password file {root}/nonexistent/folder/password", "x\n"},
    {"NoPasswordOnInput", {"password", "set"}, 2, "no password given on standard input"},
    {"EmptyPasswordWithoutAsking", {"password", "set"}, 2,
     "the new password is empty; nothing was changed. To store an empty password (no password "
     "at all), use: fennimar password set --empty",
     "\n"},
    {"WallpaperWithoutDesktopKey", {"wallpaper", "set", "/a.png"}, 4,
     "no key HKEY_CURRENT_USER\\Control Panel\\Desktop in", "", DropDesktopKey},
    {"NoWallpaper", {"wallpaper"}, 1, "no wallpaper at HKEY_CURRENT_USER", "", DropDesktopKey},
    {"NoRegistryKey", {"reg", "query", "HKCU\\Software\\Nothing"}, 1,
     "no registry key HKEY_CURRENT_USER\\Software\\Nothing in {registry}\n"},
    {"BadRegistryType", {"reg", "add", "HKCU\\X", "v", "--type", "REG_FLOAT", "--data", "1"}, 2,
     "unknown type 'REG_FLOAT'; valid types: REG_SZ, REG_DWORD, REG_BINARY"},
    {"OtherRegistryRoot", {"reg", "query", "HKLM\\Software"}, 2,
     "the key HKLM\\Software is not below HKEY_CURRENT_USER"},
    {"LoadUnknownField", {"load", "-"}, 2,
     "load: unknown field 'switches.volume'; valid fields: launchcode, mouseHook, "
     "soundEffect, lightEffect", R"({"switches": {"volume": 1}})"},
    {"LoadNotJson", {"load", "-"}, 2, "load: standard input is not JSON", "{switches"},
};
// clang-format on

void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class ErrorsTest : public testing::TestWithParam<ErrorCase> {};

std::string Expand(std::string text, const CliSandbox& box) {
  for (const auto& [mark, value] :
       {std::pair<std::string, std::string>{"{doc}", box.document()},
        std::pair<std::string, std::string>{"{password}", box.password_file()},
        std::pair<std::string, std::string>{"{root}", box.root()},
        std::pair<std::string, std::string>{"{registry}", RegistryPlace(box)}}) {
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
      text.replace(at, mark.size(), value);
    }
  }
  return text;
}

TEST_P(ErrorsTest, FailsWithOneLineAndTheDocumentedStatus) {
  const ErrorCase& c = GetParam();
  CliSandbox box;
  c.setup(box);
  std::vector<std::string> args;
  for (const std::string& arg : c.args) args.push_back(Expand(arg, box));
  const RunResult result = box.Run(args, c.input);
  EXPECT_EQ(result.status, c.status) << result.err;
  EXPECT_EQ(result.err.rfind("fennimar: error: ", 0), 0u) << result.err;
  EXPECT_NE(result.err.find(Expand(c.message, box)), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cli, ErrorsTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace fennimar::cli::test
