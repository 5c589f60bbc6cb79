#include "bench/SideBySide.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fennimar::bench {
namespace {

// Blocks of calls last at least this long, so that the four clock readings
// around each block (a few hundred nanoseconds) stay below 0.5 %.
constexpr double kBlockSeconds = 200e-6;
constexpr int kCalibrationRuns = 3;

struct Clocks {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds of this thread's CPU time, user and system
};

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Clocks Now() { return {Seconds(CLOCK_MONOTONIC), Seconds(CLOCK_THREAD_CPUTIME_ID)}; }

// How many library calls make a block of kBlockSeconds; the fastest of a
// few single calls decides, so a cold first call does not shrink the block.
// A call that takes a block's time or more is timed alone and not repeated.
int CallsPerBlock(const SideBySide& pair) {
  double fastest = kBlockSeconds;
  for (int run = 0; run < kCalibrationRuns; ++run) {
    const double start = Seconds(CLOCK_MONOTONIC);
    (void)pair.library();
    fastest = std::min(fastest, Seconds(CLOCK_MONOTONIC) - start);
    if (fastest >= kBlockSeconds) return 1;
  }
  return static_cast<int>(std::ceil(kBlockSeconds / std::max(fastest, 1e-9)));
}

void PerCall(benchmark::State& state, const char* name, double total, int calls) {
  state.counters[name] = benchmark::Counter(total / calls, benchmark::Counter::kAvgIterations);
}

}  // namespace

void RunSideBySide(benchmark::State& state, const SideBySide& pair, BenchServices& services) {
  const int calls = CallsPerBlock(pair);
  double library_cpu = 0, floor_wall = 0, floor_cpu = 0, reference_wall = 0;
  const ServiceCounts before = CountsOf(services);
  for (auto _ : state) {
    bool ok = true;
    const Clocks start = Now();
    for (int i = 0; i < calls; ++i) ok = pair.library() && ok;
    const Clocks middle = Now();
    if (pair.floor) {
      for (int i = 0; i < calls; ++i) pair.floor();
    }
    const Clocks end = Now();
    if (pair.reference) {
      for (int i = 0; i < calls; ++i) pair.reference();
      reference_wall += Now().wall - end.wall;
    }
    state.SetIterationTime(middle.wall - start.wall);
    library_cpu += middle.cpu - start.cpu;
    floor_wall += end.wall - middle.wall;
    floor_cpu += end.cpu - middle.cpu;
    if (!ok) {
      state.SkipWithError("the method answered other than expected");
      return;
    }
  }
  const ServiceCounts after = CountsOf(services);
  PerCall(state, "cpu_us", library_cpu * 1e6, calls);
  if (pair.floor) {
    PerCall(state, "floor_us", floor_wall * 1e6, calls);
    PerCall(state, "floor_cpu_us", floor_cpu * 1e6, calls);
  }
  if (pair.reference) PerCall(state, "reference_us", reference_wall * 1e6, calls);
  PerCall(state, "waits", static_cast<double>(after.waits - before.waits), calls);
  PerCall(state, "wait_ms", static_cast<double>(after.wait_milliseconds - before.wait_milliseconds),
          calls);
  PerCall(state, "renames", static_cast<double>(after.renames - before.renames), calls);
  state.counters["calls"] = calls;
}

}  // namespace fennimar::bench
