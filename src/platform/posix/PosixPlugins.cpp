// Loading a plugin with the dynamic loader, from the folder of the file that
// holds this code, as the dynamic loader itself names that file.
#include <dlfcn.h>
#include <link.h>

#include <string>

#include "src/platform/Plugins.h"
#include "src/platform/posix/PosixPath.h"

namespace fennimar::platform {
namespace {

// The file this code was loaded from. The loader names a shared library by
// the path it opened (".../bin/../lib/libX.so.0" under an $ORIGIN run path)
// and the program by an empty name.
std::string OwnFile() {
  Dl_info info{};
  link_map* map = nullptr;
  if (::dladdr1(reinterpret_cast<void*>(&PluginEntry), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0 ||
      map == nullptr) {
    return std::string();
  }
  return map->l_name[0] != '\0' ? std::string(map->l_name) : ProgramFile();
}

std::string PluginFolder() {
  const std::string own = OwnFile();
  const std::size_t slash = own.rfind('/');
  return slash == std::string::npos ? std::string() : own.substr(0, slash) + "/fennimar/";
}

}  // namespace

void* PluginEntry(const char* name, const char* entry) {
  const std::string folder = PluginFolder();
  if (folder.empty()) return nullptr;
  // The loader counts its own references and is thread-safe; the plugin is
  // never closed, so its code outlives every object it made.
  void* plugin = ::dlopen((folder + name).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (plugin == nullptr) {
    (void)::dlerror();  // a missing plugin is no error for the caller
    return nullptr;
  }
  return ::dlsym(plugin, entry);
}

}  // namespace fennimar::platform
