// FuzzCheck - a broken property is reported on standard error and aborts,
// which libFuzzer records as a crash, saving the input that caused it.
#ifndef FENNIMAR_FUZZ_FUZZCHECK_H_
#define FENNIMAR_FUZZ_FUZZCHECK_H_

#include <cstdio>
#include <cstdlib>

namespace fennimar::fuzz {

inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace fennimar::fuzz

#endif  // FENNIMAR_FUZZ_FUZZCHECK_H_
