// The floors on their own: what reading, parsing and saving each document
// take with plain system calls and pugixml alone, on the same files in the
// same run. (Each library benchmark also runs its own floor beside it.)
#include <memory>
#include <string>

#include "bench/PugiFloor.h"
#include "bench/Registration.h"
#include "src/common/Utf.h"
#include "src/platform/wiring/Wiring.h"

namespace fennimar::bench {
namespace {

struct ParsedDocument {
  std::string path;
  std::unique_ptr<pugi::xml_document> document;
};
ParsedDocument& Cache() {
  static ParsedDocument cache;
  return cache;
}

template <class Work>
void RegisterFloor(const std::string& what, const DocumentCase& document, Work work) {
  const std::string name = "floor_" + what + "/" + document.label;
  Configure(benchmark::RegisterBenchmark(name.c_str(), work), PlanFor(document), false);
}

}  // namespace

pugi::xml_document& ParsedCached(const std::string& path) {
  ParsedDocument& cache = Cache();
  if (!cache.document || cache.path != path) {
    cache.document.reset();
    cache.document = std::make_unique<pugi::xml_document>();
    (void)pugi_floor::ParseFile(path, cache.document.get());
    cache.path = path;
  }
  return *cache.document;
}

void ReleaseParsedDocuments() { Cache() = ParsedDocument(); }

void RegisterFloorBenchmarks(const DocumentCase& document) {
  const std::string path = document.path;
  RegisterFloor("read", document, [path](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(pugi_floor::ReadWholeFile(path));
  });
  RegisterFloor("parse_memory", document, [path](benchmark::State& state) {
    const std::string bytes = pugi_floor::ReadWholeFile(path);
    for (auto _ : state) {
      pugi::xml_document parsed;
      if (!pugi_floor::ParseMemory(bytes, &parsed)) state.SkipWithError("parse failed");
    }
  });
  RegisterFloor("parse_file", document, [path](benchmark::State& state) {
    for (auto _ : state) {
      pugi::xml_document parsed;
      if (!pugi_floor::ParseFile(path, &parsed)) state.SkipWithError("parse failed");
    }
  });
  // What a shared-mode reader adds before it answers.
  RegisterFloor("identity", document, [path](benchmark::State& state) {
    platform::FileSystem& files = *platform::DefaultServices().files;
    const std::u16string path16 = Utf8ToUtf16(path);
    for (auto _ : state) {
      platform::FileIdentity identity;
      benchmark::DoNotOptimize(files.Identify(path16, &identity).ok());
    }
  });
  RegisterFloor("save", document, [path](benchmark::State& state) {
    const pugi::xml_document& parsed = ParsedCached(path);
    for (auto _ : state) {
      if (!pugi_floor::SaveAtomically(parsed, path)) state.SkipWithError("save failed");
    }
  });
}

}  // namespace fennimar::bench
