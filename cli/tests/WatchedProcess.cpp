#include "cli/tests/WatchedProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/tests/SandboxPlatform.h"
#include "cli/tests/WatchedProcessPlatform.h"

namespace fennimar::cli::test {

WatchedProcess::WatchedProcess(const CliSandbox& box, const std::vector<std::string>& args) {
  const auto program = std::filesystem::u8path(box.program_folder()) / ProgramFiles().front();
  std::vector<std::string> argv = {program.u8string(), "watch"};
  argv.insert(argv.end(), args.begin(), args.end());
  platform_ = std::make_unique<Platform>(argv, HomeEnvironment(box.root(), box.config()));
  std::string notice;
  while (notice.find('\n') == std::string::npos &&
         platform_->ReadMore(Platform::Stream::kError, notice) == Platform::Read::kData) {
  }
  EXPECT_NE(notice.find("watching"), std::string::npos) << notice;
}

WatchedProcess::~WatchedProcess() = default;

std::string WatchedProcess::ReadLine() {
  for (;;) {
    const auto end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    switch (platform_->ReadMore(Platform::Stream::kOutput, pending_)) {
      case Platform::Read::kData:
        break;
      case Platform::Read::kEnd:
        return pending_.empty() ? "(end)" : "(partial) " + pending_;
      case Platform::Read::kSilent:
        return "(silent)";
    }
  }
}

std::vector<std::string> WatchedProcess::ReadLines(std::size_t count) {
  std::vector<std::string> lines;
  while (lines.size() < count) lines.push_back(ReadLine());
  return lines;
}

void WatchedProcess::Interrupt() { platform_->Interrupt(); }
void WatchedProcess::CloseOutput() { platform_->CloseOutput(); }
int WatchedProcess::Wait() { return platform_->Wait(); }

}  // namespace fennimar::cli::test
