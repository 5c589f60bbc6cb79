#include "cli/tests/WatchedProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/tests/SandboxPlatform.h"

namespace fennimar::cli::test {
namespace {

constexpr int kSilenceMilliseconds = 60000;

}  // namespace

WatchedProcess::WatchedProcess(const CliSandbox& box, const std::vector<std::string>& args) {
  const auto program = std::filesystem::u8path(box.program_folder()) / ProgramFiles().front();
  std::vector<std::string> argv = {program.u8string(), "watch"};
  argv.insert(argv.end(), args.begin(), args.end());
  fennimar::testing::ChildOptions options;
  options.env = HomeEnvironment(box.root(), box.config());
  options.only_env = true;
  std::string error;
  process_ = Child::Start(argv, options, &error);
  if (!process_) throw std::runtime_error(error);
  std::string notice;
  while (notice.find('\n') == std::string::npos &&
         ReadMore(Child::Stream::kError, notice) == Child::Read::kData) {
  }
  EXPECT_NE(notice.find("watching"), std::string::npos) << notice;
}

// SIGTERM ends it cleanly, so that it removes its private folder.
WatchedProcess::~WatchedProcess() {
  process_->Terminate();
  process_->Wait();
}

WatchedProcess::Child::Read WatchedProcess::ReadMore(Child::Stream stream, std::string& text) {
  return process_->ReadSome(stream, kSilenceMilliseconds, &text);
}

std::string WatchedProcess::ReadLine() {
  for (;;) {
    const auto end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    switch (ReadMore(Child::Stream::kOutput, pending_)) {
      case Child::Read::kData:
        break;
      case Child::Read::kEnd:
        return pending_.empty() ? "(end)" : "(partial) " + pending_;
      case Child::Read::kTimeout:
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
