#include "bench/Registration.h"

#include <fstream>
#include <string>

#include "bench/SideBySide.h"
#include "fennimar/FennimarDllInterface.h"
#include "src/common/Utf.h"

namespace fennimar::bench {
namespace {

constexpr int kLargeDocumentItems = 100000;

}  // namespace

RunPlan PlanFor(const DocumentCase& document) {
  RunPlan plan;
  if (document.items >= kLargeDocumentItems) plan.repetitions = 3;
  return plan;
}

benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* benchmark,
                                          const RunPlan& plan, bool manual_time) {
  if (manual_time) {
    benchmark->UseManualTime();
  } else {
    benchmark->UseRealTime();
  }
  benchmark->Unit(benchmark::kMicrosecond)
      ->Repetitions(plan.repetitions)
      ->ReportAggregatesOnly(true)
      ->MinTime(plan.min_time_seconds);
  return benchmark;
}

// Both open an object and close it with the waits counted, not slept: the
// first-use open copies the template and waits once; the open of a document
// that cannot be loaded tries twelve times, waiting before each retry.
void RegisterWaitBenchmarks(BenchContext& context, const DocumentCase& template_document) {
  BenchServices* services = context.services;
  const CString template_path(Utf8ToUtf16(template_document.path));
  auto first_use = [services, template_path](benchmark::State& state) {
    BenchHome::SetFirstUse(1);
    const SideBySide pair{[&] {
                            FennimarDllInterface object(template_path);
                            return true;
                          },
                          {}};
    RunSideBySide(state, pair, *services);
    BenchHome::SetFirstUse(0);
  };
  Configure(benchmark::RegisterBenchmark("open_close_first_use/template", first_use),
            PlanFor(template_document));

  const std::string unloadable = context.home->DocumentFile("unloadable").string();
  std::ofstream(unloadable) << "this is not an XML document\n";
  const CString unloadable_path(Utf8ToUtf16(unloadable));
  auto retries = [services, unloadable_path](benchmark::State& state) {
    const SideBySide pair{[&] {
                            FennimarDllInterface object(unloadable_path);
                            return true;
                          },
                          {}};
    RunSideBySide(state, pair, *services);
  };
  Configure(benchmark::RegisterBenchmark("open_close_unloadable/unloadable", retries),
            PlanFor(template_document));
}

}  // namespace fennimar::bench
