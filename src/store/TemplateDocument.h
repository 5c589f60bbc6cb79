// TemplateDocument - where the template "Fennimar.xml" that a new or
// first-use settings document starts from is found: in the host's module
// folder, where a host ships it beside itself; when that folder has none, in
// "fennimar/" of the platform's shared data folders, where a package installs
// it ($XDG_DATA_DIRS on Linux, so /usr/share/fennimar/Fennimar.xml).
#ifndef FENNIMAR_STORE_TEMPLATEDOCUMENT_H_
#define FENNIMAR_STORE_TEMPLATEDOCUMENT_H_

#include <string>

#include "src/platform/Services.h"

namespace fennimar {

// The module's folder with its trailing separator, from a module file name
// read through a buffer of 1041 units; empty when the name has no folder.
std::u16string ModuleFolder(platform::ModulePath& module);

// The module folder's template when it exists or no shared data folder has
// one, so that a missing template fails as it always has; else the first
// shared data folder's.
std::u16string TemplateDocumentPath(const platform::Services& services);

}  // namespace fennimar

#endif  // FENNIMAR_STORE_TEMPLATEDOCUMENT_H_
