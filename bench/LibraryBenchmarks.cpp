// The library's methods, called through FennimarDllInterface as a host calls
// them, each beside its floor. Readers and writers run on one object per
// document, opened once and kept for all of that document's benchmarks; the
// writers write back what is there, so the document stays the same from
// call to call and the floor's save writes the same bytes.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/PugiFloor.h"
#include "bench/PugiRecords.h"
#include "bench/Registration.h"
#include "bench/SideBySide.h"
#include "fennimar/FennimarDllInterface.h"
#include "src/common/Utf.h"

namespace fennimar::bench {
namespace {

// AddAppItem refuses to add to a list that already yields this many items.
constexpr std::size_t kListLimit = 8;

// What a benchmark works on: the library's open object and pugixml's tree of
// the same file.
struct Subject {
  FennimarDllInterface& object;
  pugi::xml_document& parsed;
  std::string path;
};
using Prepare = std::function<SideBySide(const Subject&)>;

CString Path16(const std::string& path) { return CString(Utf8ToUtf16(path)); }

// The open object of the document being measured; opening another document
// closes the previous one, so that at most one large tree is held.
struct OpenDocument {
  std::string path;
  std::unique_ptr<FennimarDllInterface> object;
};
OpenDocument& Cache() {
  static OpenDocument cache;
  return cache;
}

FennimarDllInterface& OpenCached(const std::string& path) {
  OpenDocument& cache = Cache();
  if (!cache.object || cache.path != path) {
    cache.object.reset();
    cache.object = std::make_unique<FennimarDllInterface>(Path16(path));
    cache.path = path;
  }
  return *cache.object;
}

void RegisterMethod(BenchContext& context, const std::string& method,
                    const DocumentCase& document, Prepare prepare) {
  BenchServices* services = context.services;
  const std::string path = document.path;
  auto run = [services, path, prepare](benchmark::State& state) {
    const Subject subject{OpenCached(path), ParsedCached(path), path};
    RunSideBySide(state, prepare(subject), *services);
  };
  const std::string name = method + "/" + document.label;
  Configure(benchmark::RegisterBenchmark(name.c_str(), run), PlanFor(document));
}

// pugixml's own save of the tree, `saves` times.
std::function<void()> SaveFloor(const Subject& subject, int saves = 1) {
  const pugi::xml_document* parsed = &subject.parsed;
  const std::string path = subject.path;
  return [parsed, path, saves] {
    for (int i = 0; i < saves; ++i) (void)pugi_floor::SaveAtomically(*parsed, path);
  };
}

// A walk over pugixml's tree.
template <class Walk>
std::function<void()> WalkFloor(const Subject& subject, Walk walk) {
  const pugi::xml_document* parsed = &subject.parsed;
  return [parsed, walk] { benchmark::DoNotOptimize(walk(*parsed)); };
}

// Opening and closing an object on an unchanged document, which the closing
// object does not write; the floor parses the file with pugixml and drops
// the tree.
void RegisterOpenClose(BenchContext& context, const DocumentCase& document) {
  BenchServices* services = context.services;
  const std::string path = document.path;
  auto run = [services, path](benchmark::State& state) {
    const CString path16 = Path16(path);
    const SideBySide pair{[&] {
                            FennimarDllInterface object(path16);
                            benchmark::DoNotOptimize(&object);
                            return true;
                          },
                          [&] {
                            pugi::xml_document parsed;
                            (void)pugi_floor::ParseFile(path, &parsed);
                          }};
    RunSideBySide(state, pair, *services);
  };
  const std::string name = "open_close/" + document.label;
  Configure(benchmark::RegisterBenchmark(name.c_str(), run), PlanFor(document));
}

SideBySide ApplicationsReader(const Subject& subject, std::size_t expected) {
  FennimarDllInterface* object = &subject.object;
  return {[object, expected] {
            std::vector<_Fennimar_AppItem_> items;
            const bool ok =
                object->GetApplicationsList(items) == RC_SUCCESS && items.size() == expected;
            benchmark::DoNotOptimize(items.data());
            return ok;
          },
          WalkFloor(subject, pugi_floor::WalkApplications),
          WalkFloor(subject, pugi_records::BuildApplications)};
}

// Adds an item and deletes it again. A list already holding kListLimit items
// or more refuses the addition (which saves nothing), and the deletion then
// finds nothing but saves; either way the document ends as it began.
SideBySide AddDeletePair(const Subject& subject, std::size_t present) {
  FennimarDllInterface* object = &subject.object;
  pugi::xml_document* parsed = &subject.parsed;
  const std::string file = subject.path;
  const bool full = present >= kListLimit;
  const _Fennimar_ReturnCode_ added = full ? RC_LIST_FULL : RC_SUCCESS;
  const _Fennimar_AppItem_ item{u"99", u"/opt/bench/added", u"--bench", u"Added by a bench"};
  return {[object, added, item] {
            _Fennimar_AppItem_ copy = item;
            CString path = item.path;
            return object->AddAppItem(copy) == added && object->DeleteAppItem(path) == RC_SUCCESS;
          },
          SaveFloor(subject, full ? 1 : 2),
          [parsed, file, item, full] {
            pugi_records::AddAndDeleteApplication(*parsed, file, item, full);
          }};
}

SideBySide WorkspacesReader(const Subject& subject, std::size_t expected) {
  FennimarDllInterface* object = &subject.object;
  return {[object, expected] {
            std::vector<_VDESKTOPINFO_> workspaces;
            const bool ok = object->GetWorkspcaeConfig(workspaces) == RC_SUCCESS &&
                            workspaces.size() == expected;
            benchmark::DoNotOptimize(workspaces.data());
            return ok;
          },
          WalkFloor(subject, pugi_floor::WalkWorkspaces),
          WalkFloor(subject, pugi_records::BuildWorkspaces)};
}

SideBySide WorkspacesWriter(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  auto workspaces = std::make_shared<std::vector<_VDESKTOPINFO_>>();
  (void)object->GetWorkspcaeConfig(*workspaces);
  pugi::xml_document* parsed = &subject.parsed;
  const std::string file = subject.path;
  return {[object, workspaces] { return object->SetWorkspcaeConfig(*workspaces) == RC_SUCCESS; },
          SaveFloor(subject),
          [parsed, file, workspaces] {
            pugi_records::WriteWorkspaces(*parsed, *workspaces);
            (void)pugi_floor::SaveAtomically(*parsed, file);
          }};
}

void RegisterApplicationsAndWorkspaces(BenchContext& context, const DocumentCase& document) {
  const std::size_t applications = document.items > 0 ? document.items : 2;
  const std::size_t workspaces = document.items > 0 ? document.items : 4;
  RegisterMethod(context, "GetApplicationsList", document, [applications](const Subject& s) {
    return ApplicationsReader(s, applications);
  });
  RegisterMethod(context, "AddAppItem+DeleteAppItem", document, [applications](const Subject& s) {
    return AddDeletePair(s, applications);
  });
  RegisterMethod(context, "GetWorkspcaeConfig", document, [workspaces](const Subject& s) {
    return WorkspacesReader(s, workspaces);
  });
  RegisterMethod(context, "SetWorkspcaeConfig", document, WorkspacesWriter);
}

SideBySide ConfigReader(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  return {[object] {
            _Fennimar_Config_ config;
            const bool ok = object->GetConfig(config) == RC_SUCCESS;
            benchmark::DoNotOptimize(config);
            return ok;
          },
          WalkFloor(subject, pugi_floor::WalkSwitches)};
}

SideBySide MouseHookReader(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  return {[object] {
            int value = -1;
            return object->IsMouseHookEnabled(value) == RC_SUCCESS && value == 1;
          },
          WalkFloor(subject, [](const pugi::xml_document& parsed) {
            return pugi_floor::WalkSwitch(parsed, 1);
          })};
}

SideBySide ConfigWriter(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  auto config = std::make_shared<_Fennimar_Config_>();
  (void)object->GetConfig(*config);
  return {[object, config] { return object->SetConfig(*config) == RC_SUCCESS; },
          SaveFloor(subject)};
}

SideBySide BackgroundReader(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  return {[object] {
            _Background_Config_ config;
            const bool ok = object->GetBackgroundConfig(config) == RC_SUCCESS;
            benchmark::DoNotOptimize(config.pictureFolder.GetString());
            return ok;
          },
          WalkFloor(subject, pugi_floor::WalkBackground),
          WalkFloor(subject, pugi_records::BuildBackground)};
}

SideBySide BackgroundWriter(const Subject& subject) {
  FennimarDllInterface* object = &subject.object;
  auto config = std::make_shared<_Background_Config_>();
  (void)object->GetBackgroundConfig(*config);
  return {[object, config] { return object->SetBackgroundConfig(*config) == RC_SUCCESS; },
          SaveFloor(subject)};
}

void RegisterSwitchesAndBackground(BenchContext& context, const DocumentCase& document) {
  RegisterMethod(context, "GetConfig", document, ConfigReader);
  RegisterMethod(context, "IsMouseHookEnabled", document, MouseHookReader);
  RegisterMethod(context, "SetConfig", document, ConfigWriter);
  RegisterMethod(context, "GetBackgroundConfig", document, BackgroundReader);
  RegisterMethod(context, "SetBackgroundConfig", document, BackgroundWriter);
}

// The floor of a method that reads one small file: a plain read of it.
std::function<void()> ReadFloor(const std::string& path) {
  return [path] { benchmark::DoNotOptimize(pugi_floor::ReadWholeFile(path)); };
}

void RegisterSystemMethods(BenchContext& context, const DocumentCase& document) {
  const std::string password_file = context.home->PasswordFile().string();
  RegisterMethod(context, "ValidatePassword", document, [password_file](const Subject& s) {
    FennimarDllInterface* object = &s.object;
    (void)object->SetPasswordFilePath(Path16(password_file));
    return SideBySide{[object] {
                        CString candidate(u"open sesame");
                        return object->ValidatePassword(candidate) == RC_SUCCESS;
                      },
                      ReadFloor(password_file)};
  });
  const std::string hive = context.home->HiveFile().string();
  RegisterMethod(context, "GetUsedStatus", document, [hive](const Subject& s) {
    FennimarDllInterface* object = &s.object;
    return SideBySide{[object] {
                        std::uint32_t status = 1;
                        return object->GetUsedStatus(status) == RC_SUCCESS && status == 0;
                      },
                      ReadFloor(hive)};
  });
  const std::string ini = context.home->IniFile().string();
  RegisterMethod(context, "GetLightFlagStatus", document, [ini](const Subject& s) {
    FennimarDllInterface* object = &s.object;
    return SideBySide{[object] {
                        std::uint32_t flag = 0;
                        return object->GetLightFlagStatus(flag) == RC_SUCCESS && flag == 1;
                      },
                      ReadFloor(ini)};
  });
}

}  // namespace

void RegisterLibraryBenchmarks(BenchContext& context, const DocumentCase& document) {
  RegisterOpenClose(context, document);
  RegisterApplicationsAndWorkspaces(context, document);
  RegisterSwitchesAndBackground(context, document);
  RegisterSystemMethods(context, document);
}

void ReleaseOpenDocuments() { Cache() = OpenDocument(); }

}  // namespace fennimar::bench
