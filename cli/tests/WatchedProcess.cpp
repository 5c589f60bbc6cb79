#include "cli/tests/WatchedProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/tests/SandboxPlatform.h"

namespace fennimar::cli::test {

WatchedProcess::WatchedProcess(const CliSandbox& box, const std::vector<std::string>& args) {
  const auto program = std::filesystem::u8path(box.program_folder()) / ProgramFiles().front();
  std::vector<std::string> argv = {program.u8string(), "watch"};
  argv.insert(argv.end(), args.begin(), args.end());
  Start(argv, HomeEnvironment(box.root(), box.config()));
  std::string notice;
  while (notice.find('\n') == std::string::npos &&
         ReadMore(Stream::kError, notice) == Read::kData) {
  }
  EXPECT_NE(notice.find("watching"), std::string::npos) << notice;
}

std::string WatchedProcess::ReadLine() {
  for (;;) {
    const auto end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    switch (ReadMore(Stream::kOutput, pending_)) {
      case Read::kData:
        break;
      case Read::kEnd:
        return pending_.empty() ? "(end)" : "(partial) " + pending_;
      case Read::kSilent:
        return "(silent)";
    }
  }
}

std::vector<std::string> WatchedProcess::ReadLines(std::size_t count) {
  std::vector<std::string> lines;
  while (lines.size() < count) lines.push_back(ReadLine());
  return lines;
}

}  // namespace fennimar::cli::test
