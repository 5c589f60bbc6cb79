// placeholder until written
#include "src/platform/Paths.h"
#include "src/platform/posix/PosixBackends.h"
namespace fennimar::platform {
std::unique_ptr<FileSystem> NewPosixFileSystem() { return nullptr; }
}
