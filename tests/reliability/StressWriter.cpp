// StressWriter - a host program for the reliability tests. It saves one kind
// of setting over and over through the public interface, each save a distinct
// version, and prints each version on its own line once the call that saved it
// has returned. The tests kill it at random moments, or run several at once.
//
//   fennimar_stress_writer KIND FOLDER FIRST COUNT
//
// KIND is one of
//   document  SetConfig with all four switches set to the version
//   registry  SetCurrentBgImage with WallpaperOf(version)
//   ini       SetLightFlagStatus (the file's other content is the test's)
//   password  SavePassword with PasswordOf(version), retried while the file is
//             held by another process
//   ini-read  GetLightFlagStatus, printing the flag each time
// Versions run from FIRST; COUNT calls are made. FOLDER holds the documents
// and the password file (see StressFiles.h). The program prints "ready" before
// the first call, and "done <busy>" at the end, <busy> counting the password
// saves refused because another process held the file.
//
// On Windows the program uses the registry key its test names in
// FENNIMAR_REGISTRY_KEY in HKEY_CURRENT_USER's place (StressProcess.h).
//
// Exit status: 0 done, 2 usage, 3 a call failed (a message on stderr).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/StressFiles.h"
#include "tests/reliability/StressProcess.h"

namespace fennimar::reliability {
namespace {

// A refused password save is tried again this many times before giving up.
constexpr int kMaxBusyRetries = 100000;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fennimar_stress_writer: %s\n", what.c_str());
  std::exit(3);
}

void Check(_Fennimar_ReturnCode_ rc, const char* call) {
  if (rc != RC_SUCCESS) Fail(std::string(call) + " answered " + std::to_string(rc));
}



class Writer {
 public:
  Writer(const std::string& kind, const std::string& folder)
      : kind_(kind), settings_(CString::FromUtf8(DocumentOf(folder, kind))) {
    settings_.SetPasswordFilePath(CString::FromUtf8(InFolder(folder, kPasswordName)));
  }

  // One call of the kind; false for an unknown kind.
  bool Save(long version) {
    if (kind_ == "document") {
      const int v = static_cast<int>(version);
      _Fennimar_Config_ config{v, v, v, v};
      Check(settings_.SetConfig(config), "SetConfig");
    } else if (kind_ == "registry") {
      CString path = CString::FromUtf8(WallpaperOf(version));
      Check(settings_.SetCurrentBgImage(path), "SetCurrentBgImage");
    } else if (kind_ == "ini") {
      Check(settings_.SetLightFlagStatus(), "SetLightFlagStatus");
    } else if (kind_ == "password") {
      SavePassword(CString::FromUtf8(PasswordOf(version)));
    } else if (kind_ == "ini-read") {
      std::uint32_t flag = 0;
      Check(settings_.GetLightFlagStatus(flag), "GetLightFlagStatus");
      if (flag > 1) Fail("GetLightFlagStatus gave " + std::to_string(flag));
      PrintLine(std::to_string(flag));
      return true;
    } else {
      return false;
    }
    PrintLine(std::to_string(version));
    return true;
  }

  int busy() const { return busy_; }

 private:
  // A save finds the file held while another process saves or checks it.
  void SavePassword(CString password) {
    for (int attempt = 0; attempt < kMaxBusyRetries; ++attempt) {
      try {
        Check(settings_.SavePassword(password), "SavePassword");
        return;
      } catch (const CFileException&) {
        ++busy_;
        PauseBeforeRetry();
      }
    }
    Fail("the password file stayed busy");
  }

  std::string kind_;
  FennimarDllInterface settings_;
  int busy_ = 0;
};

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fennimar_stress_writer KIND FOLDER FIRST COUNT\n");
    return 2;
  }
  const long first = std::strtol(argv[3], nullptr, 10);
  const long count = std::strtol(argv[4], nullptr, 10);
  if (!JoinTestHome()) return 3;
  Writer writer(argv[1], argv[2]);
  PrintLine(kReadyLine);
  for (long i = 0; i < count; ++i) {
    if (!writer.Save(first + i)) return 2;
  }
  PrintLine("done " + std::to_string(writer.busy()));
  return 0;
}

}  // namespace
}  // namespace fennimar::reliability

int main(int argc, char** argv) { return fennimar::reliability::Run(argc, argv); }
