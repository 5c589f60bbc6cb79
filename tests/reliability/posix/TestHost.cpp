// TestHost on Linux: the registry is the library's stand-in, a file below
// XDG_CONFIG_HOME, so a test's home is a configuration folder of its own,
// which the children find through the environment they inherit.
#include "tests/reliability/TestHost.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace fennimar::reliability {

namespace fs = std::filesystem;

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

std::string ProgramFileName(const std::string& name) { return name; }

std::vector<std::string> HostFiles() {
  return {"fennimar_stress_writer", "fennimar_stress_values", "Fennimar.xml"};
}

IsolatedHome::IsolatedHome(const fs::path& root) : root_(root) {
  fs::create_directories(root / "config");
  Set("XDG_CONFIG_HOME", (root / "config").string());
  Set("HOME", root.string());
}

IsolatedHome::~IsolatedHome() {
  for (const SavedVariable& variable : saved_) {
    if (variable.set) {
      setenv(variable.name.c_str(), variable.value.c_str(), 1);
    } else {
      unsetenv(variable.name.c_str());
    }
  }
}

void IsolatedHome::Set(const std::string& name, const std::string& value) {
  const char* old = std::getenv(name.c_str());
  saved_.push_back({name, old ? old : "", old != nullptr});
  setenv(name.c_str(), value.c_str(), 1);
}

void SeedRegistry(const fs::path& root, const std::string& wallpaper) {
  const fs::path hive = root / "config/fennimar/HKEY_CURRENT_USER.reg";
  fs::create_directories(hive.parent_path());
  std::ofstream(hive, std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
         "\"WallPaper\"=\""
      << wallpaper
      << "\"\r\n\r\n"
         "[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]\r\n"
         "\"IsFirstUse\"=dword:00000000\r\n";
}

// Every kind's file is written by the library's own code on Linux.
std::string WhyNotTestedHere(Kind /*kind*/) { return std::string(); }

int KillsPerKind() { return 75; }

}  // namespace fennimar::reliability
