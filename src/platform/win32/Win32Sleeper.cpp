// Win32Sleeper - waiting with Sleep, which is not cut short by anything.
#include "src/platform/win32/Win32Api.h"

#include <memory>

#include "src/platform/win32/Win32Backends.h"

namespace fennimar::platform {
namespace {

class Win32Sleeper : public Sleeper {
 public:
  void SleepMilliseconds(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

std::unique_ptr<Sleeper> NewWin32Sleeper() { return std::make_unique<Win32Sleeper>(); }

}  // namespace fennimar::platform
