#include "bench/PeakMemory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "bench/BenchServices.h"
#include "bench/PugiFloor.h"
#include "bench/Registration.h"
#include "fennimar/FennimarDllInterface.h"
#include "src/common/Utf.h"

namespace fennimar::bench {
namespace {

constexpr double kMebibyte = 1024.0 * 1024.0;

// A field of /proc/self/status ("VmHWM", "VmRSS") in bytes; 0 when missing.
long StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':') {
      return std::stol(line.substr(length + 1)) * 1024;
    }
  }
  return 0;
}

// Sets the peak resident size back to the current one (Linux 4.0 and later).
bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

long HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);
}

struct Stages {
  long open_peak = 0;      // peak growth while opening
  long open_resident = 0;  // growth held by the open object
  long open_heap = 0;      // heap held by the open object
  long life_peak = 0;      // peak growth over open, one save, close
};

// The baseline is taken after `reset`; `open`, `save` and `close` are the
// stages of one object's life.
template <class Open, class Save, class Close>
Stages Measure(Open open, Save save, Close close) {
  ResetPeak();
  const long base = StatusBytes("VmRSS");
  const long heap = HeapInUse();
  Stages stages;
  open();
  stages.open_peak = StatusBytes("VmHWM") - base;
  stages.open_resident = StatusBytes("VmRSS") - base;
  stages.open_heap = HeapInUse() - heap;
  save();
  close();
  stages.life_peak = StatusBytes("VmHWM") - base;
  return stages;
}

Stages MeasureLibrary(const std::string& path) {
  BenchServices services("/nonexistent/host");  // waits counted, not slept
  std::unique_ptr<FennimarDllInterface> object;
  return Measure(
      [&] { object = std::make_unique<FennimarDllInterface>(CString(Utf8ToUtf16(path))); },
      [&] {
        _Fennimar_Config_ config;
        (void)object->GetConfig(config);
        (void)object->SetConfig(config);
      },
      [&] { object.reset(); });
}

Stages MeasurePugixml(const std::string& path) {
  std::unique_ptr<pugi::xml_document> document;
  return Measure(
      [&] {
        document = std::make_unique<pugi::xml_document>();
        (void)pugi_floor::ParseFile(path, document.get());
      },
      [&] { (void)pugi_floor::SaveAtomically(*document, path); },
      [&] { document.reset(); });
}

std::string SelfPath() {
  char buffer[4096];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

bool RunProbe(const std::string& mode, const std::string& path, Stages* stages) {
  const std::string command =
      "'" + SelfPath() + "' " + kPeakMemoryFlag + " " + mode + " '" + path + "'";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  const int read = std::fscanf(pipe, "open_peak=%ld open_resident=%ld open_heap=%ld life_peak=%ld",
                               &stages->open_peak, &stages->open_resident, &stages->open_heap,
                               &stages->life_peak);
  return ::pclose(pipe) == 0 && read == 4;
}

void Report(benchmark::State& state, const char* prefix, const Stages& stages) {
  const std::string p(prefix);
  state.counters[p + "open_peak"] = static_cast<double>(stages.open_peak);
  state.counters[p + "open_resident"] = static_cast<double>(stages.open_resident);
  state.counters[p + "open_heap"] = static_cast<double>(stages.open_heap);
  state.counters[p + "life_peak"] = static_cast<double>(stages.life_peak);
}

}  // namespace

int RunPeakMemoryProbe(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string mode = argv[2];
  const std::string path = argv[3];
  if (mode != "library" && mode != "pugixml") return 2;
  const Stages stages = mode == "library" ? MeasureLibrary(path) : MeasurePugixml(path);
  std::printf("open_peak=%ld open_resident=%ld open_heap=%ld life_peak=%ld\n", stages.open_peak,
              stages.open_resident, stages.open_heap, stages.life_peak);
  return 0;
}

void RegisterPeakMemoryBenchmark(const DocumentCase& document) {
  const DocumentCase measured = document;
  auto run = [measured](benchmark::State& state) {
    Stages library, pugixml;
    for (auto _ : state) {
      if (!RunProbe("library", measured.path, &library) ||
          !RunProbe("pugixml", measured.path, &pugixml)) {
        state.SkipWithError("the memory probe failed");
        return;
      }
    }
    const double bytes = static_cast<double>(measured.bytes);
    state.counters["doc_bytes"] = bytes;
    state.counters["limit_bytes"] = 3 * bytes + kMebibyte;
    Report(state, "lib_", library);
    Report(state, "pugi_", pugixml);
  };
  const std::string name = "peak_memory/" + measured.label;
  benchmark::RegisterBenchmark(name.c_str(), run)->Iterations(1)->Repetitions(1)->UseRealTime();
}

}  // namespace fennimar::bench
