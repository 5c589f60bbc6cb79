// Running a program to its end, on any platform: both pipes are read in
// turn, so that a program filling one while we wait on the other never
// blocks.
#include "tests/support/ChildProcess.h"

#include <chrono>
#include <thread>

namespace fennimar::testing {
namespace {

// How long one look at a pipe, or one nap without pipes, lasts.
constexpr int kSliceMs = 10;

}  // namespace

ChildResult ChildProcess::Run(const std::vector<std::string>& argv, const ChildOptions& options,
                              int limit_ms) {
  ChildResult result;
  const std::unique_ptr<ChildProcess> child = Start(argv, options, &result.failure);
  if (!child) return result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  bool out_open = options.output.empty();
  bool err_open = options.error.empty() && !options.error_is_ours;
  // Without a limit, a program whose pipes are closed is simply waited for.
  while (out_open || err_open || (limit_ms > 0 && !child->Ended())) {
    if (limit_ms > 0 && std::chrono::steady_clock::now() >= deadline) {
      child->Kill();
      break;
    }
    if (out_open) out_open = child->ReadSome(Stream::kOutput, kSliceMs, &result.out) != Read::kEnd;
    if (err_open) err_open = child->ReadSome(Stream::kError, kSliceMs, &result.err) != Read::kEnd;
    if (!out_open && !err_open) std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
  }
  result.status = child->Wait();
  return result;
}

}  // namespace fennimar::testing
