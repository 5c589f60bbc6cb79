// fennimar_bench - the library's performance beside pugixml's own on the
// same documents, in one run. Google Benchmark's flags apply; besides them,
// --fennimar_items=0,100,10000 chooses the documents (0 is the template).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchHome.h"
#include "bench/BenchServices.h"
#include "bench/Documents.h"
#include "bench/PeakMemory.h"
#include "bench/Registration.h"
#include "fennimar/FennimarDllInterface.h"
#include "src/common/Utf.h"

namespace fennimar::bench {
namespace {

// Shared mode is measured up to this size; beyond, its figures only repeat
// the save's and the read's growth and the run gets long.
constexpr int kLargestSharedItems = 10000;
constexpr char kItemsFlag[] = "--fennimar_items=";

// Takes --fennimar_items out of argv; the default sizes when it is absent.
std::vector<int> TakeItemCounts(int* argc, char** argv) {
  std::vector<int> counts = DefaultItemCounts();
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp(argv[i], kItemsFlag, std::strlen(kItemsFlag)) != 0) {
      argv[kept++] = argv[i];
      continue;
    }
    counts.clear();
    std::stringstream list(argv[i] + std::strlen(kItemsFlag));
    for (std::string item; std::getline(list, item, ',');) counts.push_back(std::stoi(item));
  }
  *argc = kept;
  return counts;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The floors and the library must work on the same bytes: opening and
// closing the generated document must leave it exactly as it was.
void CheckRoundTrip(const DocumentCase& document) {
  const std::string before = FileBytes(document.path);
  { FennimarDllInterface object(CString(Utf8ToUtf16(document.path))); }
  const bool same = FileBytes(document.path) == before;
  benchmark::AddCustomContext("same_bytes/" + document.label, same ? "yes" : "no");
  if (!same) std::fprintf(stderr, "warning: the library rewrote %s\n", document.path.c_str());
}

void AddDocumentContext(const DocumentCase& document) {
  benchmark::AddCustomContext("doc_bytes/" + document.label, std::to_string(document.bytes));
  benchmark::AddCustomContext("doc_items/" + document.label, std::to_string(document.items));
}

int RunBenchmarks(const std::vector<int>& item_counts) {
  BenchHome home(FENNIMAR_BENCH_TEMPLATE);
  BenchServices services(home.ModuleFile().string());
  BenchHome::SetFirstUse(0);
  home.WriteSystemFiles();
  // A registry file changed within the last seconds is read at every open,
  // since its times could not yet show a rewrite in place; hosts open their
  // documents long after the first-use flag last changed, so the benchmarks
  // start once the file has settled.
  std::this_thread::sleep_for(std::chrono::milliseconds(3100));
  BenchContext context{&home, &services};
  benchmark::AddCustomContext("temp_filesystem", FileSystemType(home.root()));
  benchmark::AddCustomContext("pugixml_version", std::to_string(PUGIXML_VERSION));
  benchmark::AddCustomContext("fennimar_build_type", FENNIMAR_BENCH_BUILD_TYPE);

  std::vector<DocumentCase> documents;
  for (const int items : item_counts) {
    const std::string label = items > 0 ? std::to_string(items) : "template";
    documents.push_back(
        WriteDocument(home.TemplateFile().string(), items, home.DocumentFile(label).string()));
    CheckRoundTrip(documents.back());
    AddDocumentContext(documents.back());
  }
  for (const DocumentCase& document : documents) {
    RegisterLibraryBenchmarks(context, document);
    if (document.items <= kLargestSharedItems) RegisterSharedBenchmarks(context, document);
    RegisterFloorBenchmarks(document);
    RegisterPeakMemoryBenchmark(document);
  }
  if (!documents.empty() && documents.front().items == 0) {
    RegisterWaitBenchmarks(context, documents.front());
  }
  benchmark::RunSpecifiedBenchmarks();
  ReleaseOpenDocuments();
  ReleaseSharedDocuments();
  ReleaseParsedDocuments();
  return 0;
}

}  // namespace
}  // namespace fennimar::bench

int main(int argc, char** argv) {
  using namespace fennimar::bench;
  if (argc >= 2 && std::strcmp(argv[1], kPeakMemoryFlag) == 0) {
    return RunPeakMemoryProbe(argc, argv);
  }
  const std::vector<int> item_counts = TakeItemCounts(&argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int status = 1;
  try {  // caught so that the temporary home is removed on the way out
    status = RunBenchmarks(item_counts);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "fennimar_bench: %s\n", error.what());
  }
  benchmark::Shutdown();
  return status;
}
