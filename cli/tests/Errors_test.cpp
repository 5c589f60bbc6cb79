// Each way the program fails: the one line on standard error, naming what
// failed, why, and the library's result code, and the documented exit status.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/tests/CliSandbox.h"

namespace fennimar::cli::test {
namespace {

struct ErrorCase {
  const char* name;
  std::function<void(const CliSandbox&)> setup;
  std::vector<std::string> args;
  std::string input;
  int status;
  // "{doc}", "{password}" and "{root}" stand for the settings document's
  // path, the password file's and the sandbox's folder (in args too).
  std::string message;
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

void FillAppList(const CliSandbox& box) {
  for (int i = 3; i <= 8; ++i) {
    const std::string n = std::to_string(i);
    ASSERT_EQ(box.Run({"apps", "add", "--key", n, "--path", "/opt/app" + n}).status, 0);
  }
}

void SetPassword(const CliSandbox& box) {
  ASSERT_EQ(box.Run({"password", "set"}, "right\n").status, 0);
}

void Nothing(const CliSandbox&) {}

const ErrorCase kCases[] = {
    {"UnknownCommand",
     Nothing,
     {"frobnicate"},
     "",
     2,
     "unknown command 'frobnicate' for fennimar; valid commands: apps, switches, background, "
     "workspaces, wallpaper, first-use, reset, hw-flag, password, reg, dump, load"},
    {"UnknownVerb",
     Nothing,
     {"apps", "list"},
     "",
     2,
     "unknown command 'list' for fennimar apps; valid commands: add, remove"},
    {"UnknownOption",
     Nothing,
     {"apps", "add", "--colour", "red"},
     "",
     2,
     "unknown option '--colour' for fennimar apps add; valid options: --help, --key, --path, "
     "--parameter, --description, --document, --password-file, --json, --version"},
    {"UnknownSwitch",
     Nothing,
     {"switches", "set", "volume=1"},
     "",
     2,
     "unknown switch 'volume'; valid switches: launchcode, mouse-hook, sound-effect, "
     "light-effect"},
    {"UnknownWorkspaceField",
     Nothing,
     {"workspaces", "set", "1", "colour=red"},
     "",
     2,
     "unknown workspace field 'colour'; valid fields: name, style-id, mouse-style, "
     "em-recyle-path, fu-recyle-path, mouse-no, recyle-no, use-tarsel"},
    {"UnparsableValue",
     Nothing,
     {"switches", "set", "sound-effect=loud"},
     "",
     2,
     "sound-effect: 'loud' is not an integer"},
    {"MissingArgument", Nothing, {"apps", "add", "--key", "1"}, "", 2, "--path is required"},
    {"NoCommand", Nothing, {}, "", 2, "no command given; valid commands: apps, switches,"},
    {"NoSuchApplication",
     Nothing,
     {"apps", "remove", "/nowhere"},
     "",
     1,
     "no application with the path /nowhere in {doc}"},
    {"NoSuchWorkspace",
     Nothing,
     {"workspaces", "set", "9", "name=x"},
     "",
     1,
     "no workspace 9 (the document has 4)"},
    {"NinthApplication",
     FillAppList,
     {"apps", "add", "--key", "9", "--path", "/opt/app9"},
     "",
     5,
     "cannot add /opt/app9: the application list already holds 8 items (RC_LIST_FULL)"},
    {"DamagedDocument",
     DamageDocument,
     {"apps"},
     "",
     3,
     "the settings document {doc} could not be loaded (RC_FAIL)"},
    {"MissingSection", DropAppList, {"apps"}, "", 3, "no AppList section in {doc} (RC_FAIL)"},
    {"PasswordMismatch",
     SetPassword,
     {"password", "check"},
     "wrong\n",
     1,
     "the password does not match (RC_FAIL)"},
    {"NoPasswordFile",
     Nothing,
     {"password", "check"},
     "any\n",
     1,
     "cannot open the password file {password} (RC_FILE_ERROR)"},
    {"PasswordNotWritable",
     Nothing,
     {"password", "set", "--password-file", "{root}/nonexistent/folder/password"},
     "x\n",
     4,
     "cannot write the password file {root}/nonexistent/folder/password"},
    {"NoPasswordOnInput",
     Nothing,
     {"password", "set"},
     "",
     2,
     "no password given on standard input"},
    {"WallpaperWithoutDesktopKey",
     Nothing,
     {"wallpaper", "set", "/a.png"},
     "",
     4,
     "no key HKEY_CURRENT_USER\\Control Panel\\Desktop in"},
    {"NoWallpaper", Nothing, {"wallpaper"}, "", 1, "no wallpaper at HKEY_CURRENT_USER"},
    {"NoRegistryKey",
     Nothing,
     {"reg", "query", "HKCU\\Software\\Nothing"},
     "",
     1,
     "no registry key HKEY_CURRENT_USER\\Software\\Nothing in"},
    {"BadRegistryType",
     Nothing,
     {"reg", "add", "HKCU\\X", "v", "--type", "REG_FLOAT", "--data", "1"},
     "",
     2,
     "unknown type 'REG_FLOAT'; valid types: REG_SZ, REG_DWORD, REG_BINARY"},
    {"OtherRegistryRoot",
     Nothing,
     {"reg", "query", "HKLM\\Software"},
     "",
     2,
     "the key HKLM\\Software is not below HKEY_CURRENT_USER"},
    {"LoadUnknownField",
     Nothing,
     {"load", "-"},
     R"({"switches": {"volume": 1}})",
     2,
     "load: unknown field 'switches.volume'; valid fields: launchcode, mouseHook, soundEffect, "
     "lightEffect"},
    {"LoadNotJson", Nothing, {"load", "-"}, "{switches", 2, "load: standard input is not JSON"},
};

void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class ErrorsTest : public testing::TestWithParam<ErrorCase> {};

std::string Expand(std::string text, const CliSandbox& box) {
  for (const auto& [mark, value] :
       {std::pair<std::string, std::string>{"{doc}", box.document()},
        std::pair<std::string, std::string>{"{password}", box.password_file()},
        std::pair<std::string, std::string>{"{root}", box.root()}}) {
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
