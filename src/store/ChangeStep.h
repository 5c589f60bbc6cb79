// ChangeStep - brackets one writer's call: in shared mode the change lock is
// taken and the latest document loaded before the call, and the saved file
// noted and the lock released after it. In default mode it does nothing.
#ifndef FENNIMAR_STORE_CHANGESTEP_H_
#define FENNIMAR_STORE_CHANGESTEP_H_

#include "src/store/SettingsHolder.h"

namespace fennimar {

class ChangeStep {
 public:
  explicit ChangeStep(SettingsHolder& settings)
      : settings_(settings), ready_(settings.BeginChange()) {}
  ~ChangeStep() {
    if (ready_) settings_.EndChange();
  }
  ChangeStep(const ChangeStep&) = delete;
  ChangeStep& operator=(const ChangeStep&) = delete;

  // False when the latest document cannot be loaded: the call must answer
  // RC_FAIL and change nothing.
  bool ready() const { return ready_; }

 private:
  SettingsHolder& settings_;
  bool ready_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_CHANGESTEP_H_
