// Shared mode's price. Each reader of a shared-mode object beside the same
// reader of a default-mode object on the same document (the shared one checks
// the file's identity first), and each writer of a shared-mode object beside
// the floor of the plain writers (pugixml's atomic save), the lock, the check
// of the latest file and the note of the saved one included. Writers write
// back what is there, so the document stays the same from call to call.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/PugiFloor.h"
#include "bench/Registration.h"
#include "bench/SideBySide.h"
#include "fennimar/FennimarDllInterface.h"
#include "src/common/Utf.h"

namespace fennimar::bench {
namespace {

// A shared-mode and a default-mode object on the document being measured.
struct Pair {
  std::string path;
  std::unique_ptr<FennimarDllInterface> shared, private_copy;
};
Pair& Cache() {
  static Pair cache;
  return cache;
}

Pair& Open(const std::string& path) {
  Pair& cache = Cache();
  if (!cache.shared || cache.path != path) {
    cache = Pair();
    const CString path16(Utf8ToUtf16(path));
    cache.shared = std::make_unique<FennimarDllInterface>(path16, FennimarOptions{true});
    cache.private_copy = std::make_unique<FennimarDllInterface>(path16);
    cache.path = path;
  }
  return cache;
}

using Call = std::function<bool(FennimarDllInterface&)>;

void Register(BenchContext& context, const std::string& name, const DocumentCase& document,
              Call call, bool writer) {
  BenchServices* services = context.services;
  const std::string path = document.path;
  auto run = [services, path, call, writer](benchmark::State& state) {
    Pair& pair = Open(path);
    FennimarDllInterface* shared = pair.shared.get();
    FennimarDllInterface* private_copy = pair.private_copy.get();
    const pugi::xml_document* parsed = &ParsedCached(path);
    std::function<void()> floor = [private_copy, call] { (void)call(*private_copy); };
    if (writer) floor = [parsed, path] { (void)pugi_floor::SaveAtomically(*parsed, path); };
    RunSideBySide(state, SideBySide{[shared, call] { return call(*shared); }, floor}, *services);
  };
  const std::string full = "shared_" + name + "/" + document.label;
  Configure(benchmark::RegisterBenchmark(full.c_str(), run), PlanFor(document));
}

bool ReadApplications(FennimarDllInterface& object) {
  std::vector<_Fennimar_AppItem_> items;
  return object.GetApplicationsList(items) == RC_SUCCESS;
}

bool ReadWorkspaces(FennimarDllInterface& object) {
  std::vector<_VDESKTOPINFO_> workspaces;
  return object.GetWorkspcaeConfig(workspaces) == RC_SUCCESS;
}

bool ReadConfig(FennimarDllInterface& object) {
  _Fennimar_Config_ config;
  return object.GetConfig(config) == RC_SUCCESS;
}

bool ReadMouseHook(FennimarDllInterface& object) {
  int value = 0;
  return object.IsMouseHookEnabled(value) == RC_SUCCESS;
}

bool ReadBackground(FennimarDllInterface& object) {
  _Background_Config_ config;
  return object.GetBackgroundConfig(config) == RC_SUCCESS;
}

bool WriteConfig(FennimarDllInterface& object) {
  _Fennimar_Config_ config;
  return object.GetConfig(config) == RC_SUCCESS && object.SetConfig(config) == RC_SUCCESS;
}

bool WriteBackground(FennimarDllInterface& object) {
  _Background_Config_ config;
  return object.GetBackgroundConfig(config) == RC_SUCCESS &&
         object.SetBackgroundConfig(config) == RC_SUCCESS;
}

bool WriteWorkspaces(FennimarDllInterface& object) {
  std::vector<_VDESKTOPINFO_> workspaces;
  return object.GetWorkspcaeConfig(workspaces) == RC_SUCCESS &&
         object.SetWorkspcaeConfig(workspaces) == RC_SUCCESS;
}

}  // namespace

void RegisterSharedBenchmarks(BenchContext& context, const DocumentCase& document) {
  const std::pair<const char*, Call> readers[] = {
      {"GetApplicationsList", ReadApplications}, {"GetConfig", ReadConfig},
      {"IsMouseHookEnabled", ReadMouseHook},     {"GetBackgroundConfig", ReadBackground},
      {"GetWorkspcaeConfig", ReadWorkspaces}};
  for (const auto& [name, call] : readers) Register(context, name, document, call, false);
  const std::pair<const char*, Call> writers[] = {{"SetConfig", WriteConfig},
                                                  {"SetBackgroundConfig", WriteBackground},
                                                  {"SetWorkspcaeConfig", WriteWorkspaces}};
  for (const auto& [name, call] : writers) Register(context, name, document, call, true);
}

void ReleaseSharedDocuments() { Cache() = Pair(); }

}  // namespace fennimar::bench
