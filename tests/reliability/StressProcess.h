// StressProcess - what the stress programs need of the platform: to join the
// home their test set up, and to print a line in one piece.
#ifndef FENNIMAR_TESTS_RELIABILITY_STRESSPROCESS_H_
#define FENNIMAR_TESTS_RELIABILITY_STRESSPROCESS_H_

#include <string>

namespace fennimar::reliability {

// Makes this process use the test's registry (see TestHost.h); false, with a
// message on stderr, when it cannot.
bool JoinTestHome();

// Writes `text` and a newline to standard output in one write, so that a
// kill never cuts a line and lines arrive whole through a pipe; exits with
// status 3 when the write fails.
void PrintLine(const std::string& text);

// The pause before a refused save is tried again.
void PauseBeforeRetry();

}  // namespace fennimar::reliability

#endif  // FENNIMAR_TESTS_RELIABILITY_STRESSPROCESS_H_
