#include "tests/reliability/ReliabilitySupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "fennimar/FennimarDllInterface.h"
#include "tests/reliability/StressFiles.h"

namespace fennimar::reliability {
namespace {

namespace fs = std::filesystem;

// A program that prints nothing for this long is taken to hang. This guards
// against a test that never ends; it is not a measure of speed.
constexpr int kSilenceLimitMs = 60000;
constexpr std::size_t kReadChunk = 4096;

void SaveVariable(const char* name, std::string* saved, bool* had) {
  const char* value = std::getenv(name);
  *had = value != nullptr;
  if (value) *saved = value;
}

void RestoreVariable(const char* name, const std::string& saved, bool had) {
  if (had) {
    setenv(name, saved.c_str(), 1);
  } else {
    unsetenv(name);
  }
}

void CopyProgram(const fs::path& from, const fs::path& folder) {
  const fs::path to = folder / from.filename();
  fs::copy_file(from, to);
  fs::permissions(to, fs::perms::owner_all);
}

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe2 failed";
    reaped_ = true;
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int spawned = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  out_ = fds[0];
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << argv[0] << ": error " << spawned;
    reaped_ = true;
  }
}

Child::~Child() {
  if (!reaped_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
}

bool Child::ReadSome() {
  pollfd ready{out_, POLLIN, 0};
  const int polled = ::poll(&ready, 1, kSilenceLimitMs);
  if (polled == 0) ADD_FAILURE() << "a child printed nothing for " << kSilenceLimitMs << " ms";
  if (polled <= 0) return false;
  char chunk[kReadChunk];
  const ssize_t got = ::read(out_, chunk, sizeof chunk);
  if (got <= 0) return false;
  pending_.append(chunk, static_cast<std::size_t>(got));
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
  if (!reaped_) ::kill(pid_, SIGKILL);
}

bool Child::Exited() {
  if (reaped_) return true;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
  reaped_ = true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

int Child::Finish() {
  while (ReadSome()) {
  }
  if (!reaped_) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    reaped_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return status_;
}

std::vector<long> Child::Versions() const {
  std::vector<long> versions;
  for (const std::string& line : lines_) {
    if (IsNumber(line)) versions.push_back(std::strtol(line.c_str(), nullptr, 10));
  }
  return versions;
}

ReliabilityTest::ReliabilityTest() {
  std::string pattern = (fs::temp_directory_path() / "fennimar-reliability-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  root_ = pattern;
  SaveVariable("XDG_CONFIG_HOME", &saved_xdg_, &had_xdg_);
  SaveVariable("HOME", &saved_home_, &had_home_);
  fs::create_directories(root_ / "config");
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  setenv("HOME", root_.c_str(), 1);
  fs::create_directories(host());
  CopyProgram(FENNIMAR_STRESS_WRITER, host());
  CopyProgram(FENNIMAR_STRESS_VALUES, host());
  fs::copy_file(FENNIMAR_TEMPLATE_DOCUMENT, host() / "Fennimar.xml");
}

ReliabilityTest::~ReliabilityTest() {
  RestoreVariable("XDG_CONFIG_HOME", saved_xdg_, had_xdg_);
  RestoreVariable("HOME", saved_home_, had_home_);
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void ReliabilityTest::SeedHive() const {
  fs::create_directories(hive().parent_path());
  WriteBytes(hive(),
             "Windows Registry Editor Version 5.00\r\n\r\n"
             "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
             "\"WallPaper\"=\"" + WallpaperOf(0) + "\"\r\n\r\n"
             "[HKEY_CURRENT_USER\\Software\\Tarsel\\Tarsel Kestrova2]\r\n"
             "\"IsFirstUse\"=dword:00000000\r\n");
}

void ReliabilityTest::SeedDocumentAndPassword() const {
  fs::copy_file(FENNIMAR_TEMPLATE_DOCUMENT, document());
  FennimarDllInterface settings(CString::FromUtf8(document().string()));
  _Fennimar_Config_ zero;
  ASSERT_EQ(settings.SetConfig(zero), RC_SUCCESS);
  settings.SetPasswordFilePath(CString::FromUtf8(password().string()));
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
  const timespec pause{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

}  // namespace fennimar::reliability
