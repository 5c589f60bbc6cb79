// placeholder until written
#include "src/platform/Paths.h"
#include "src/platform/posix/PosixBackends.h"
namespace fennimar::platform {
std::unique_ptr<ModulePath> NewPosixModulePath() { return nullptr; } std::unique_ptr<Sleeper> NewPosixSleeper() { return nullptr; } char16_t PathSeparator() { return u'/'; } bool PathsHaveDriveLetters() { return false; }
}
