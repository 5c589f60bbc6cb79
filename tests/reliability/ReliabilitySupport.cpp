#include "tests/reliability/ReliabilitySupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

// A program that prints nothing for this long is taken to hang. This guards
// against a test that never ends; it is not a measure of speed.
constexpr int kSilenceLimitMs = 60000;
constexpr int kHeldLimitMs = 10000;

}  // namespace

Child::Child(const std::vector<std::string>& argv) {
  std::string error;
  testing::ChildOptions options;
  options.error_is_ours = true;
  process_ = testing::ChildProcess::Start(argv, options, &error);
  if (!process_) ADD_FAILURE() << error;
}

bool Child::ReadSome() {
  using Process = testing::ChildProcess;
  const auto read = process_ ? process_->ReadSome(Process::Stream::kOutput, kSilenceLimitMs, &pending_)
                             : Process::Read::kEnd;
  if (read == Process::Read::kTimeout) ADD_FAILURE() << "a child printed nothing for a minute";
  if (read != Process::Read::kData) return false;
  for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
    const bool cr = end > 0 && pending_[end - 1] == '\r';
    lines_.push_back(pending_.substr(0, end - cr));
    pending_.erase(0, end + 1);
  }
  return true;
}

bool Child::WaitForLine(const std::string& line) {
  for (std::size_t checked = 0;;) {
    for (; checked < lines_.size(); ++checked) {
      if (lines_[checked] == line) return true;
    }
    if (!ReadSome()) return false;
  }
}

int Child::Finish() {
  while (ReadSome()) {
  }
  return process_ ? process_->Wait() : -1;
}

std::vector<long> Child::Versions() const {
  std::vector<long> versions;
  for (const std::string& line : lines_) {
    if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
      versions.push_back(std::strtol(line.c_str(), nullptr, 10));
  }
  return versions;
}

// The programs, the library where it sits beside them (Windows) and the
// template document.
ReliabilityTest::ReliabilityTest() {
  fs::create_directories(host());
  const fs::path programs = testing::TemplateDocumentPath().parent_path();
  for (const char* name : {"fennimar_stress_writer" FENNIMAR_EXE_SUFFIX,
                                 "fennimar_stress_values" FENNIMAR_EXE_SUFFIX,
                                 "FennimarCommonDll64.dll", "Fennimar.xml"}) {
    if (fs::exists(programs / name)) fs::copy_file(programs / name, host() / name);
  }
}

void ReliabilityTest::SetUp() {
  if (!StandInsHere() && (GetParam() == Kind::kRegistry || GetParam() == Kind::kIni))
    GTEST_SKIP() << "on Windows the registry and INI files are the system's own services";
  SeedRegistry(WallpaperOf(0));
  fs::copy_file(host() / "Fennimar.xml", document());
  FennimarDllInterface settings(CString::FromUtf8(document().u8string()));
  _Fennimar_Config_ zero;
  ASSERT_EQ(settings.SetConfig(zero), RC_SUCCESS);
  settings.SetPasswordFilePath(CString::FromUtf8(password().u8string()));
  CString first = CString::FromUtf8(PasswordOf(0));
  ASSERT_EQ(settings.SavePassword(first), RC_SUCCESS);
  verifier_ = std::make_unique<FennimarDllInterface>(
      CString::FromUtf8((root() / "verify.xml").u8string()));
  verifier_->SetPasswordFilePath(CString::FromUtf8(password().u8string()));
}

fs::path ReliabilityTest::Target(Kind kind) const {
  const fs::path targets[] = {document(), hive(), ini(), password()};
  return targets[static_cast<int>(kind)];
}

std::string ReliabilityTest::ReadBack() {
  if (GetParam() == Kind::kDocument) {
    FennimarDllInterface settings(CString::FromUtf8(document().u8string()));
    _Fennimar_Config_ c;
    if (settings.GetConfig(c) != RC_SUCCESS) return "unreadable document";
    return std::to_string(c.launchcode) + "," + std::to_string(c.mouseHook) + "," +
           std::to_string(c.soundEffect) + "," + std::to_string(c.lightEffect);
  }
  if (GetParam() == Kind::kIni) {
    Child reader(WriterArgs("ini-read", 0, 1));
    if (reader.Finish() != 0 || reader.Versions().size() != 1) return "unreadable ini";
    return std::to_string(reader.Versions()[0]) + "|" +
           WithLfLineEnds(testing::ReadFileOrDie(ini()));
  }
  if (GetParam() == Kind::kRegistry) {
    std::uint32_t status = 1;
    CString path;
    if (verifier_->GetUsedStatus(status) != RC_SUCCESS || status != 0) return "unreadable hive";
    return verifier_->GetCurrentBgImage(path) == RC_SUCCESS ? path.ToUtf8() : "no wallpaper";
  }
  const std::string before = ReadWhenFree(password());
  CString stored = CString::FromUtf8(StoredPassword(before));
  const _Fennimar_ReturnCode_ answer = verifier_->ValidatePassword(stored);
  const bool changed = answer == RC_FAIL && ReadWhenFree(password()) != before;
  const char* prefix = answer == RC_SUCCESS ? "" : answer == RC_FILE_ERROR ? "held:" : "refused:";
  return (changed ? "changed:" : prefix) + stored.ToUtf8();
}

void ReliabilityTest::Report(const std::string& name, long value) {
  std::cout << "[  FIGURE  ] " << name << " = " << value << std::endl;
  RecordProperty(name, std::to_string(value));
}

std::string WithLfLineEnds(std::string text) {
  for (const std::string& crlf : {std::string("\r\n"), std::string("\r\0\n\0", 4)}) {
    for (auto at = text.find(crlf); at != std::string::npos; at = text.find(crlf, at))
      text.erase(at, crlf.size() / 2);
  }
  return text;
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
  if (text.rfind(prefix, 0) != 0 || text.size() == prefix.size()) return -1;
  const char c = text[prefix.size()];
  return c >= '0' && c <= '9' ? std::strtol(text.c_str() + prefix.size(), nullptr, 10) : -1;
}

void PauseMilliseconds(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string KindTestName(const ::testing::TestParamInfo<Kind>& info) {
  const char* const names[] = {"Document", "RegistryPosix", "IniPosix", "Password"};
  return names[static_cast<int>(info.param)];
}

}  // namespace fennimar::reliability
