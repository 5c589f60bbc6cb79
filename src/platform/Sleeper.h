// Sleeper - waiting, as a service, so that tests can count waits without
// spending the time.
#ifndef FENNIMAR_PLATFORM_SLEEPER_H_
#define FENNIMAR_PLATFORM_SLEEPER_H_

namespace fennimar::platform {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMilliseconds(unsigned milliseconds) = 0;
};

}  // namespace fennimar::platform

#endif  // FENNIMAR_PLATFORM_SLEEPER_H_
