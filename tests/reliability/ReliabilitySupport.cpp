#include "tests/reliability/ReliabilitySupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

// A program that prints nothing for this long is taken to hang. This guards
// against a test that never ends; it is not a measure of speed.
constexpr int kSilenceLimitMs = 60000;
// How long ReadWhenFree waits for a file held by another process.
constexpr int kHeldLimitMs = 10000;

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A new folder below the temporary folder, its name unique and plain ASCII
// (on Windows it names the test's registry key too).
fs::path MakeRoot() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (;;) {
    std::ostringstream name;
    name << "fennimar-reliability-" << std::hex << random();
    const fs::path root = fs::temp_directory_path() / name.str();
    if (fs::create_directory(root)) return root;
  }
}

void CopyHostFile(const fs::path& from, const fs::path& folder) {
  const fs::path to = folder / from.filename();
  fs::copy_file(from, to);
  fs::permissions(to, fs::perms::owner_all);
}

}  // namespace

Child::Child(const std::vector<std::string>& argv) {
  std::string error;
  process_ = ChildProcess::Start(argv, &error);
  if (!process_) ADD_FAILURE() << error;
}

Child::~Child() = default;  // the process kills and waits for what still runs

bool Child::ReadSome() {
  if (!process_) return false;
  const ChildProcess::Read read = process_->ReadSome(kSilenceLimitMs, &pending_);
  if (read == ChildProcess::Read::kTimeout) {
    ADD_FAILURE() << "a child printed nothing for " << kSilenceLimitMs << " ms";
  }
  if (read != ChildProcess::Read::kData) return false;
  for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
    lines_.push_back(pending_.substr(0, end));
    pending_.erase(0, end + 1);
  }
  return true;
}

bool Child::WaitForLine(const std::string& line) {
  for (std::size_t checked = 0;; ) {
    for (; checked < lines_.size(); ++checked) {
      if (lines_[checked] == line) return true;
    }
    if (!ReadSome()) return false;
  }
}

void Child::Kill() {
  if (process_) process_->Kill();
}

bool Child::Exited() { return !process_ || process_->Ended(); }

int Child::Finish() {
  while (ReadSome()) {
  }
  return process_ ? process_->Wait() : -1;
}

std::vector<long> Child::Versions() const {
  std::vector<long> versions;
  for (const std::string& line : lines_) {
    if (IsNumber(line)) versions.push_back(std::strtol(line.c_str(), nullptr, 10));
  }
  return versions;
}

ReliabilityTest::ReliabilityTest() : root_(MakeRoot()) {
  home_ = std::make_unique<IsolatedHome>(root_);
  fs::create_directories(host());
  for (const std::string& name : HostFiles()) CopyHostFile(ProgramFolder() / name, host());
}

ReliabilityTest::~ReliabilityTest() {
  home_.reset();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void ReliabilityTest::SeedHive() const { SeedRegistry(root_, WallpaperOf(0)); }

void ReliabilityTest::SeedDocumentAndPassword() const {
  fs::copy_file(host() / "Fennimar.xml", document());
  FennimarDllInterface settings(CString::FromUtf8(document().u8string()));
  _Fennimar_Config_ zero;
  ASSERT_EQ(settings.SetConfig(zero), RC_SUCCESS);
  settings.SetPasswordFilePath(CString::FromUtf8(password().u8string()));
  CString first = CString::FromUtf8(PasswordOf(0));
  ASSERT_EQ(settings.SavePassword(first), RC_SUCCESS);
}

void ReliabilityTest::Report(const std::string& name, long value) {
  std::cout << "[  FIGURE  ] " << name << " = " << value << std::endl;
  RecordProperty(name, std::to_string(value));
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string ReadWhenFree(const fs::path& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHeldLimitMs);
  for (;;) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream bytes;
      bytes << in.rdbuf();
      return bytes.str();
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::string();
    PauseMilliseconds(1);
  }
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

int CountTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().string() + ".fennimar-tmp";
  int count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path())) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0) ++count;
  }
  return count;
}

// Each UTF-16 unit is stored low byte first with its four hexadecimal digits
// reversed; the tests' passwords are ASCII.
std::string StoredPassword(const std::string& bytes) {
  if (bytes.size() % 2 != 0) return std::string();
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                          static_cast<unsigned char>(bytes[i + 1]) << 8;
    const unsigned plain = (unit & 0xF) << 12 | (unit & 0xF0) << 4 | (unit & 0xF00) >> 4 |
                           (unit & 0xF000) >> 12;
    if (plain == 0) break;
    text.push_back(plain < 0x80 ? static_cast<char>(plain) : '?');
  }
  return text;
}

long NumberAfter(const std::string& text, const std::string& prefix) {
  if (text.rfind(prefix, 0) != 0) return -1;
  const std::size_t start = prefix.size();
  std::size_t end = start;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end == start) return -1;
  return std::strtol(text.substr(start, end - start).c_str(), nullptr, 10);
}

void PauseMilliseconds(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string KindTestName(const ::testing::TestParamInfo<Kind>& info) {
  switch (info.param) {
    case Kind::kDocument: return "Document";
    case Kind::kRegistry: return "RegistryPosix";
    case Kind::kIni: return "IniPosix";
    case Kind::kPassword: return "Password";
  }
  return "Unknown";
}

}  // namespace fennimar::reliability
