// The reliability tests' OS calls on Linux: the registry stand-in's file
// below the test's XDG_CONFIG_HOME, which children inherit; inodes; and the
// peak resident size from /proc, which Linux lets a process reset.
#include "tests/reliability/Platform.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace fennimar::reliability {
namespace {

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return 0;
}

}  // namespace

bool JoinTestHome() { return true; }

void SeedRegistry(const std::string& wallpaper) {
  const std::filesystem::path hive =
      std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "fennimar/HKEY_CURRENT_USER.reg";
  std::filesystem::create_directories(hive.parent_path());
  std::ofstream(hive, std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"WallPaper\"=\""
      << wallpaper
      << "\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]\r\n"
         "\"IsFirstUse\"=dword:00000000\r\n";
}

bool StandInsHere() { return true; }

std::string FileIdentity(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? std::to_string(info.st_ino) : "missing";
}

long PeakGrowthKb(const std::function<void()>& run) {
  const long before = StatusKb("VmRSS:");
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5" << std::flush;
  run();
  return reset ? StatusKb("VmHWM:") - before : 0;
}

bool PlatformReadsDocument(const std::string&) { return false; }

}  // namespace fennimar::reliability
