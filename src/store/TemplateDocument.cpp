#include "src/store/TemplateDocument.h"

#include <string_view>

#include "src/common/Names.h"
#include "src/platform/Paths.h"

namespace fennimar {
namespace {

// Module file names are read through a buffer of this many units, the last
// one kept for the terminating zero.
constexpr std::size_t kModuleNameCapacity = 1041;
constexpr std::u16string_view kPackageFolder = u"fennimar";

}  // namespace

std::u16string ModuleFolder(platform::ModulePath& module) {
  std::u16string name = module.ModuleFileName();
  if (name.size() >= kModuleNameCapacity) name.resize(kModuleNameCapacity - 1);
  name.resize(std::u16string_view(name.c_str()).size());  // up to the first zero unit
  const auto last = name.rfind(platform::PathSeparator());
  if (last == std::u16string::npos) return std::u16string();
  return name.substr(0, last + 1);
}

std::u16string TemplateDocumentPath(const platform::Services& services) {
  const std::u16string folder = ModuleFolder(*services.module);
  const std::u16string beside =
      folder.empty() ? folder : folder + std::u16string(names::kTemplateFileName);
  if (!beside.empty() && services.files->PathExists(beside)) return beside;
  const char16_t separator = platform::PathSeparator();
  for (std::u16string shared : services.module->SharedDataFolders()) {
    shared.append(1, separator).append(kPackageFolder).append(1, separator);
    shared.append(names::kTemplateFileName);
    if (services.files->PathExists(shared)) return shared;
  }
  return beside;
}

}  // namespace fennimar
