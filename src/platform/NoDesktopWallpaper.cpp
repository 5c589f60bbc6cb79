#include "src/platform/DesktopWallpaper.h"

namespace fennimar::platform {
namespace {

class NoDesktopWallpaper final : public DesktopWallpaper {
 public:
  std::optional<std::u16string> Current() override { return std::nullopt; }
  bool Show(std::u16string_view) override { return false; }
};

}  // namespace

std::unique_ptr<DesktopWallpaper> NewNoDesktopWallpaper() {
  return std::make_unique<NoDesktopWallpaper>();
}

}  // namespace fennimar::platform
