// watch: prints each change to the settings as it happens, whichever program
// makes it, until Ctrl-C or until its output is closed; both end it with
// status 0 and never in the middle of a line. It sleeps on the system's
// change notification (ChangeNotifier) and, on each wake-up, reads every
// setting afresh (SettingsReader) and prints what differs from the last read.
#include <iostream>
#include <utility>

#include "cli/ChangeNotifier.h"
#include "cli/Command.h"
#include "cli/Readers.h"
#include "cli/RegistryStore.h"
#include "cli/SettingChanges.h"
#include "cli/SettingsReader.h"
#include "src/common/Names.h"

namespace fennimar::cli {
namespace {

WatchTargets Targets(const std::string& document) {
  return {{document, HwIniPath()},
          {std::u16string(names::kProductKey), std::u16string(names::kDesktopKey)}};
}

// False when the output is gone.
bool PrintChanges(const std::vector<SettingChange>& changes, bool json) {
  for (const SettingChange& change : changes) {
    std::cout << (json ? ChangeJson(change) : ChangeText(change)) << '\n';
  }
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

void Watch(const Context& context) {
  const std::string document = context.options.DocumentPath();
  const auto notifier = WatchForChanges(Targets(document));
  SettingsReader reader(document);
  Snapshot last = reader.Read(Snapshot());
  // Changes made from now on are seen; scripts may wait for this line.
  std::cerr << "fennimar: watching " << document << ", the registry values " << InRegistry()
            << " and " << HwIniPath() << "; Ctrl-C ends" << std::endl;
  while (notifier->Wait() == ChangeNotifier::Wake::kChanged) {
    Snapshot now = reader.Read(last);
    if (!PrintChanges(CompareSettings(last, now), context.options.json)) return;
    last = std::move(now);
  }
}

}  // namespace

void AddWatchCommand(CLI::App& app, Context& context) {
  AddCommand(
      app, context, "watch", "Print each change to the settings as it happens",
      [&context] { Watch(context); },
      "One line per changed setting, whichever program changed it:\n"
      "  switches sound-effect: 0 -> 1\n"
      "  apps 3: (none) -> {\"key\":\"3\",\"path\":\"/usr/bin/gimp\",...}\n"
      "Values are shown as JSON; (none) means not there or not readable.\n"
      "JSON: one object a line, {\"setting\", \"position\", \"field\", \"old\",\n"
      "\"new\"}, \"position\" and \"field\" only where they apply.\n"
      "Runs until Ctrl-C or until its output is closed, then exits with 0.");
}

}  // namespace fennimar::cli
