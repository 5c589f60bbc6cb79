// The catalogue's platform parts on Linux: inodes, and the peak resident
// size from /proc, which Linux lets a process reset.
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "tests/reliability/HostileInput.h"

namespace fennimar::hostile {
namespace {

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return 0;
}

}  // namespace

std::string FileIdentity(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return "missing";
  return std::to_string(info.st_ino);
}

long PeakGrowthKb(const Input& input, const std::function<void()>& run) {
  if (input.pad_to == 0) return run(), 0;
  const long before = StatusKb("VmRSS:");
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5" << std::flush;
  run();
  return reset ? StatusKb("VmHWM:") - before : 0;
}

bool PlatformReadsDocument(const std::string&) { return false; }

}  // namespace fennimar::hostile
