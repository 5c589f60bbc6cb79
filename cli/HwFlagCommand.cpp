// hw-flag: the flag IsFirstFlag in section [systemrequest] of HWinfo.ini,
// which the library finds beside the running program (here: beside
// fennimar), or in the user's own copy when that folder is not the user's to
// write. `hw-flag` shows it, `hw-flag clear` writes 0.
#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Readers.h"

namespace fennimar::cli {
namespace {

void ShowHwFlag(Context& context) {
  Session session(context.options);
  const auto flag = TryReadHwFlag(session);
  if (!flag) {
    Fail(Exit::kNotFound,
         WithRc("no IsFirstFlag in section [systemrequest] of " + HwIniPath(), RC_SYSTEM_ERROR));
  }
  if (context.options.json) return PrintJson(Json{{"hwFlag", *flag}});
  std::cout << *flag << '\n';
}

void ClearHwFlag(Context& context) {
  Session session(context.options);
  const auto code = session.library().SetLightFlagStatus();
  if (code != RC_SUCCESS) Fail(Exit::kWrite, WithRc("cannot write " + HwIniPath(), code));
}

}  // namespace

void AddHwFlagCommand(CLI::App& app, Context& context) {
  const std::string where =
      "Kept as IsFirstFlag in section [systemrequest] of HWinfo.ini beside the\n"
      "fennimar program itself, or in a copy of the user's own where the user cannot\n"
      "write that folder; for you here:\n  " +
      HwIniPath();
  CLI::App* hw_flag = AddCommand(
      app, context, "hw-flag", "Show the hardware-information flag",
      [&context] { ShowHwFlag(context); }, where + "\nJSON: {\"hwFlag\"}");
  AddCommand(
      *hw_flag, context, "clear", "Set the hardware-information flag to 0",
      [&context] { ClearHwFlag(context); }, where);
}

}  // namespace fennimar::cli
