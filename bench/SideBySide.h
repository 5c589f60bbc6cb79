// SideBySide - measures a library call and its floor (the same work done by
// pugixml and plain system calls) alternately in one loop, so that both see
// the same machine: the same disk latency, the same load from other
// processes, the same caches.
//
// An iteration is a block of `calls` library calls (one for anything slower
// than a fraction of a millisecond), and the benchmark's time is the block's
// wall-clock time; divide by the `calls` counter for one call. The other
// counters are per call already: the floor's wall time and both CPU times in
// microseconds (floor_us, cpu_us, floor_cpu_us, reference_us), and the
// services' counts (waits, wait_ms, renames).
#ifndef FENNIMAR_BENCH_SIDEBYSIDE_H_
#define FENNIMAR_BENCH_SIDEBYSIDE_H_

#include <benchmark/benchmark.h>

#include <functional>
#include <utility>

#include "bench/BenchServices.h"

namespace fennimar::bench {

struct SideBySide {
  SideBySide(std::function<bool()> library_call, std::function<void()> floor_call = {},
             std::function<void()> reference_call = {})
      : library(std::move(library_call)),
        floor(std::move(floor_call)),
        reference(std::move(reference_call)) {}

  // One call of the library; false when it answered other than expected.
  std::function<bool()> library;
  // The same work without the library; may be empty when there is none.
  std::function<void()> floor;
  // Optional: the least any implementation of the method has to do on
  // pugixml (e.g. build the caller's records), reported as reference_us.
  std::function<void()> reference;
};

// The benchmark loop. Calls that take less than a fraction of a millisecond
// run in blocks, so that reading the clocks does not weigh on them.
void RunSideBySide(benchmark::State& state, const SideBySide& pair, BenchServices& services);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_SIDEBYSIDE_H_
