// UniqueName - the suffix that makes a temporary file's name unique:
// ".<process id>-<counter>-<random>". The process id lets a later process
// recognise the files of a creator that died (see StaleFiles).
#ifndef FENNIMAR_PLATFORM_WIN32_UNIQUENAME_H_
#define FENNIMAR_PLATFORM_WIN32_UNIQUENAME_H_

#include <string>

namespace fennimar::platform {

std::u16string UniqueSuffix();

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_WIN32_UNIQUENAME_H_
