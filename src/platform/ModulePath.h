// ModulePath - where the running program lives: the file of the module whose
// folder holds the template document, and the file of the process's
// executable; and the places the platform gives a program beside its own
// folder: where installed packages keep their shared data, and where a user's
// writes go that the program's folder cannot take.
#ifndef FENNIMAR_PLATFORM_MODULEPATH_H_
#define FENNIMAR_PLATFORM_MODULEPATH_H_

#include <string>
#include <string_view>
#include <vector>

namespace fennimar::platform {

class ModulePath {
 public:
  virtual ~ModulePath() = default;
  // Full file name of the host's module (on POSIX, its executable); empty
  // when it cannot be found.
  virtual std::u16string ModuleFileName() = 0;
  // Full file name of the process's executable; empty when unknown.
  virtual std::u16string ExecutableFileName() = 0;
  // Folders of installed packages' shared data, most preferred first, each
  // without a trailing separator. None by default (Windows keeps a program's
  // data in its own folder).
  virtual std::vector<std::u16string> SharedDataFolders() { return {}; }
  // The per-user folder that takes the place of the program folder `folder`
  // when this user cannot write there. Empty by default: the platform
  // redirects such writes itself (Windows) or has nowhere to put them.
  virtual std::u16string PerUserFolderFor(std::u16string_view /*folder*/) { return {}; }
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_MODULEPATH_H_
