// PeakMemory - how much memory an open object takes, measured in a process
// of its own (`fennimar_bench --peak-memory library|pugixml PATH`) so that
// nothing the benchmarks allocated before counts.
#ifndef FENNIMAR_BENCH_PEAKMEMORY_H_
#define FENNIMAR_BENCH_PEAKMEMORY_H_

namespace fennimar::bench {

inline constexpr char kPeakMemoryFlag[] = "--peak-memory";

// The probe process: opens the document (with the library, or with pugixml
// alone), saves it once while open, closes it, and prints the resident-set
// growth at each stage as one line of name=bytes pairs. Returns the exit
// status.
int RunPeakMemoryProbe(int argc, char** argv);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_PEAKMEMORY_H_
