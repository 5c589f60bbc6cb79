// placeholder until written
#include "src/platform/posix/PosixBackends.h"
namespace fennimar::platform {
std::unique_ptr<IniFile> NewPosixIniFile(FileSystem&) { return nullptr; }
}  // namespace fennimar::platform
