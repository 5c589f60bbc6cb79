#include "cli/Process.h"

namespace fennimar::cli {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void PrepareProcess() {}

}  // namespace fennimar::cli
