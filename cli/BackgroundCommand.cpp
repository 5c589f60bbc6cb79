// background: the bar's own background pictures (not the desktop wallpaper).
// `background` shows the folder and display sequence, `background set`
// changes either or both.
#include <memory>
#include <optional>

#include "cli/Command.h"
#include "cli/Errors.h"
#include "cli/Output.h"
#include "cli/Readers.h"
#include "cli/RecordText.h"
#include "cli/Records.h"
#include "cli/Text.h"

namespace fennimar::cli {
namespace {

struct SetArguments {
  std::optional<std::string> folder;
  std::optional<std::string> sequence;
};

void ShowBackground(Context& context) {
  Session session(context.options);
  const auto background = ReadBackground(session);
  if (context.options.json) return PrintJson(ToJson(background));
  PrintBackground(background);
}

void SetBackground(Context& context, const SetArguments& arguments) {
  if (!arguments.folder && !arguments.sequence) {
    Fail(Exit::kUsage, "background set: give --folder, --sequence or both");
  }
  std::optional<int> sequence;
  if (arguments.sequence) sequence = ParseIntOrFail(*arguments.sequence, "--sequence");
  Session session(context.options);
  session.HoldForChange();
  auto background = ReadBackground(session);
  if (arguments.folder) background.pictureFolder = U16(*arguments.folder);
  if (sequence) background.displaySequence = *sequence;
  session.CheckSection(kBackgroundSection, session.library().SetBackgroundConfig(background));
}

}  // namespace

void AddBackgroundCommand(CLI::App& app, Context& context) {
  CLI::App* background = AddCommand(
      app, context, "background", "Show the bar's background pictures",
      [&context] { ShowBackground(context); }, "JSON: {\"pictureFolder\", \"displaySequence\"}");
  auto arguments = std::make_shared<SetArguments>();
  CLI::App* set = AddCommand(*background, context, "set",
                             "Change the picture folder and/or the display sequence",
                             [&context, arguments] { SetBackground(context, *arguments); });
  set->add_option("--folder", arguments->folder, "The folder of the pictures")->type_name("F");
  set->add_option("--sequence", arguments->sequence, "The display sequence (an integer)")
      ->type_name("N");
}

}  // namespace fennimar::cli
