// SharedWriter - a host program for the shared-mode tests. Process SLOT of
// four makes read-change-write changes on one shared settings document, each
// under a FennimarDocumentHold: switch SLOT (the SLOT-th of the four) and the
// mouse number of workspace SLOT+1 are set to the version, and every fifth
// version its one application "/slotS/V" replaces its previous one. After
// each version it prints the version on a line of its own.
//
//   fennimar_shared_writer SLOT DOCUMENT FIRST COUNT
//
// Prints "ready" before the first change. Exit status: 0 done, 2 usage, 3 a
// call failed (a message on stderr).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/StressFiles.h"
#include "tests/reliability/Platform.h"

namespace fennimar::reliability {
namespace {

constexpr long kAppEvery = 5;
int _Fennimar_Config_::*const kSwitches[] = {
    &_Fennimar_Config_::launchcode, &_Fennimar_Config_::mouseHook,
    &_Fennimar_Config_::soundEffect, &_Fennimar_Config_::lightEffect};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fennimar_shared_writer: %s\n", what.c_str());
  std::exit(3);
}

void Check(_Fennimar_ReturnCode_ rc, const char* call) {
  if (rc != RC_SUCCESS) Fail(std::string(call) + " answered " + std::to_string(rc));
}

std::string SlotPrefix(int slot) { return "/slot" + std::to_string(slot) + "/"; }

void Change(FennimarDllInterface& settings, int slot, long version) {
  const int value = static_cast<int>(version);
  {
    FennimarDocumentHold hold(settings);
    _Fennimar_Config_ config;
    Check(settings.GetConfig(config), "GetConfig");
    config.*kSwitches[slot] = value;
    Check(settings.SetConfig(config), "SetConfig");
  }
  {
    FennimarDocumentHold hold(settings);
    std::vector<_VDESKTOPINFO_> workspaces;
    Check(settings.GetWorkspcaeConfig(workspaces), "GetWorkspcaeConfig");
    if (workspaces.size() <= static_cast<std::size_t>(slot)) Fail("too few workspaces");
    workspaces[slot].mouseNo = value;
    Check(settings.SetWorkspcaeConfig(workspaces), "SetWorkspcaeConfig");
  }
  if (version % kAppEvery != 0) return;
  FennimarDocumentHold hold(settings);
  std::vector<_Fennimar_AppItem_> items;
  Check(settings.GetApplicationsList(items), "GetApplicationsList");
  for (const auto& item : items) {
    if (item.path.ToUtf8().rfind(SlotPrefix(slot), 0) == 0) {
      CString path = item.path;
      Check(settings.DeleteAppItem(path), "DeleteAppItem");
    }
  }
  _Fennimar_AppItem_ item{u"9", CString::FromUtf8(SlotPrefix(slot) + std::to_string(version)), u"", u""};
  Check(settings.AddAppItem(item), "AddAppItem");
}

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fennimar_shared_writer SLOT DOCUMENT FIRST COUNT\n");
    return 2;
  }
  const int slot = std::atoi(argv[1]);
  const long first = std::strtol(argv[3], nullptr, 10);
  const long count = std::strtol(argv[4], nullptr, 10);
  if (slot < 0 || slot > 3) return 2;
  if (!JoinTestHome()) return 3;
  FennimarDllInterface settings(CString::FromUtf8(argv[2]), FennimarOptions{true});
  PrintLine(kReadyLine);
  for (long version = first; version < first + count; ++version) {
    Change(settings, slot, version);
    PrintLine(std::to_string(version));
  }
  return 0;
}

}  // namespace
}  // namespace fennimar::reliability

int main(int argc, char** argv) { return fennimar::reliability::Run(argc, argv); }
