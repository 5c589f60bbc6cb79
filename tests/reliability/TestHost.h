// TestHost - what the crash and concurrency tests need of the platform
// besides child processes: where the built programs are, which of them a
// test folder needs, a home of the test's own (configuration folder or
// registry key) that the test's children share, the registry values a test
// starts from, and which kinds of file the tests exercise here. One
// implementation per platform (posix/, win32/).
#ifndef FENNIMAR_TESTS_RELIABILITY_TESTHOST_H_
#define FENNIMAR_TESTS_RELIABILITY_TESTHOST_H_

#include <filesystem>
#include <string>
#include <vector>

#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {

// The folder of the running test program; the build puts the stress
// programs, the library and the template document there too.
std::filesystem::path ProgramFolder();

// The file name of the program built as `name` (".exe" added on Windows).
std::string ProgramFileName(const std::string& name);

// The files a test folder's copy of the programs needs.
std::vector<std::string> HostFiles();

// While it lives, this process and the programs it starts use a home of the
// test's own below `root`: the registry the library writes and nothing of the
// user's.
class IsolatedHome {
 public:
  explicit IsolatedHome(const std::filesystem::path& root);
  ~IsolatedHome();
  IsolatedHome(const IsolatedHome&) = delete;
  IsolatedHome& operator=(const IsolatedHome&) = delete;

 private:
  struct SavedVariable {
    std::string name, value;
    bool set = false;
  };
  void Set(const std::string& name, const std::string& value);

  std::filesystem::path root_;
  std::vector<SavedVariable> saved_;
};

// Sets the first-use flag to 0, so that writers keep their documents, and the
// desktop wallpaper to `wallpaper`, in the isolated home's registry.
void SeedRegistry(const std::filesystem::path& root, const std::string& wallpaper);

// Empty when the tests exercise `kind` here; otherwise why they do not.
std::string WhyNotTestedHere(Kind kind);

// How many times the crash test kills a writer of each kind.
int KillsPerKind();

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_TESTHOST_H_
