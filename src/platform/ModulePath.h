// ModulePath - where the running program lives: the file of the module whose
// folder holds the template document, and the file of the process's
// executable.
#ifndef FENNIMAR_PLATFORM_MODULEPATH_H_
#define FENNIMAR_PLATFORM_MODULEPATH_H_

#include <string>

namespace fennimar::platform {

class ModulePath {
 public:
  virtual ~ModulePath() = default;
  // Full file name of the host's module (on POSIX, its executable); empty
  // when it cannot be found.
  virtual std::u16string ModuleFileName() = 0;
  // Full file name of the process's executable; empty when unknown.
  virtual std::u16string ExecutableFileName() = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_MODULEPATH_H_
