// fennimar_stress_writer KIND FOLDER FIRST COUNT - a host program, linked only
// against the shared library, that makes COUNT calls of one kind, versions
// from FIRST, printing each version once its call returned: document
// (SetConfig), registry (SetCurrentBgImage), ini (SetLightFlagStatus),
// password (SavePassword, retried while another process holds the file),
// ini-read (GetLightFlagStatus, printing the flag), shared0 to shared3
// (read-change-write changes in shared mode, see ChangeShared). Prints
// "ready" first and "done <refused password saves>" last. Exit status: 0, 2
// usage, 3 a failure.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/Platform.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

constexpr int kMaxBusyRetries = 100000;
constexpr long kAppEvery = 5;
int _Fennimar_Config_::*const kSwitches[] = {
    &_Fennimar_Config_::launchcode, &_Fennimar_Config_::mouseHook,
    &_Fennimar_Config_::soundEffect, &_Fennimar_Config_::lightEffect};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fennimar_stress_writer: %s\n", what.c_str());
  std::exit(3);
}

void Check(_Fennimar_ReturnCode_ rc, const char* call) {
  if (rc != RC_SUCCESS) Fail(std::string(call) + " answered " + std::to_string(rc));
}

// A save finds the file held while another process saves or checks it.
int SavePassword(FennimarDllInterface& settings, long version) {
  CString password = CString::FromUtf8(PasswordOf(version));
  for (int busy = 0; busy < kMaxBusyRetries; ++busy, PauseBeforeRetry()) {
    try {
      Check(settings.SavePassword(password), "SavePassword");
      return busy;
    } catch (const CFileException&) {
    }
  }
  Fail("the password file stayed busy");
}

std::string SlotPrefix(int slot) { return "/slot" + std::to_string(slot) + "/"; }

// Writer SLOT of four on one shared document, each change under a
// FennimarDocumentHold: switch SLOT and the mouse number of workspace SLOT+1
// are set to the version, and every fifth version its one application
// "/slotS/V" replaces its previous one.
void ChangeShared(FennimarDllInterface& settings, int slot, long version) {
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
    CString path = item.path;
    if (path.ToUtf8().rfind(SlotPrefix(slot), 0) == 0) Check(settings.DeleteAppItem(path), "DeleteAppItem");
  }
  _Fennimar_AppItem_ item{u"9", CString::FromUtf8(SlotPrefix(slot) + std::to_string(version)), u"", u""};
  Check(settings.AddAppItem(item), "AddAppItem");
}

// One call of the kind; the saves refused meanwhile, or -1 for an unknown kind.
int Save(FennimarDllInterface& settings, const std::string& kind, long version) {
  if (kind == "document") {
    const int v = static_cast<int>(version);
    _Fennimar_Config_ config{v, v, v, v};
    Check(settings.SetConfig(config), "SetConfig");
  } else if (kind == "registry") {
    CString path = CString::FromUtf8(WallpaperOf(version));
    Check(settings.SetCurrentBgImage(path), "SetCurrentBgImage");
  } else if (kind == "ini") {
    Check(settings.SetLightFlagStatus(), "SetLightFlagStatus");
  } else if (kind == "password") {
    const int busy = SavePassword(settings, version);
    PrintLine(std::to_string(version));
    return busy;
  } else if (kind == "ini-read") {
    std::uint32_t flag = 0;
    Check(settings.GetLightFlagStatus(flag), "GetLightFlagStatus");
    if (flag > 1) Fail("GetLightFlagStatus gave " + std::to_string(flag));
    version = flag;
  } else if (SharedSlot(kind) >= 0) {
    ChangeShared(settings, SharedSlot(kind), version);
  } else {
    return -1;
  }
  PrintLine(std::to_string(version));
  return 0;
}

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fennimar_stress_writer KIND FOLDER FIRST COUNT\n");
    return 2;
  }
  const long first = std::strtol(argv[3], nullptr, 10);
  const long count = std::strtol(argv[4], nullptr, 10);
  if (!JoinTestHome()) return 3;
  FennimarDllInterface settings(CString::FromUtf8(DocumentOf(argv[2], argv[1])),
                                FennimarOptions{SharedSlot(argv[1]) >= 0});
  settings.SetPasswordFilePath(CString::FromUtf8(InFolder(argv[2], "password")));
  PrintLine(kReadyLine);
  long busy = 0;
  for (long i = 0; i < count; ++i) {
    const int refused = Save(settings, argv[1], first + i);
    if (refused < 0) return 2;
    busy += refused;
  }
  PrintLine("done " + std::to_string(busy));
  return 0;
}

}  // namespace
}  // namespace fennimar::reliability

int main(int argc, char** argv) { return fennimar::reliability::Run(argc, argv); }
