// Registration - what every group of benchmarks needs to register itself:
// the run's home and services, the documents kept open between benchmarks,
// and how long to measure each document size.
#ifndef FENNIMAR_BENCH_REGISTRATION_H_
#define FENNIMAR_BENCH_REGISTRATION_H_

#include <benchmark/benchmark.h>

#include <pugixml.hpp>
#include <string>

#include "bench/BenchHome.h"
#include "bench/BenchServices.h"
#include "bench/Documents.h"

namespace fennimar::bench {

struct BenchContext {
  BenchHome* home = nullptr;
  BenchServices* services = nullptr;
};

// Each benchmark runs for a minimum time (one iteration when that takes
// longer), five times; three times for the largest documents, to keep the
// whole run short.
struct RunPlan {
  int repetitions = 5;
  double min_time_seconds = 0.1;
};
RunPlan PlanFor(const DocumentCase& document);
// Time as the benchmark sets it (wall-clock, see SideBySide) or wall-clock
// time, microseconds, aggregates only, with the plan's repetitions and length.
benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* benchmark,
                                          const RunPlan& plan, bool manual_time = true);

// The document at `path` parsed by pugixml alone, kept between benchmarks;
// parsing another document drops the previous one.
pugi::xml_document& ParsedCached(const std::string& path);
// Close the documents the benchmarks kept open, the library's and pugixml's.
// Call before the home goes.
void ReleaseOpenDocuments();
void ReleaseParsedDocuments();

// The library's methods on `document`, through FennimarDllInterface, each
// beside its floor.
void RegisterLibraryBenchmarks(BenchContext& context, const DocumentCase& document);
// Shared-mode readers beside default-mode ones, shared-mode writers beside
// the save floor.
void RegisterSharedBenchmarks(BenchContext& context, const DocumentCase& document);
void ReleaseSharedDocuments();
// pugixml and the file system alone on the same file: read, parse, save.
void RegisterFloorBenchmarks(const DocumentCase& document);
// Opens that wait: on a first use and on a document that cannot be loaded.
void RegisterWaitBenchmarks(BenchContext& context, const DocumentCase& template_document);
// The peak memory of an open object and of pugixml alone, each measured in
// a process of its own.
void RegisterPeakMemoryBenchmark(const DocumentCase& document);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_REGISTRATION_H_
