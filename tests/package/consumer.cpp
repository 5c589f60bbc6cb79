#include <fennimar/FennimarDllInterface.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  FennimarDllInterface library(CString::FromUtf8(argv[1]));
  std::uint32_t status = 0;
  const _Fennimar_ReturnCode_ result = library.GetUsedStatus(status);
  std::printf("first-use %u\n", static_cast<unsigned>(status));
  return result == RC_SUCCESS ? 0 : 1;
}
