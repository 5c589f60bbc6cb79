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
      : settings_(settings), begun_(settings.BeginChange()) {}
  ~ChangeStep() {
    if (ready() && !finished_) (void)settings_.EndChange();
  }
  ChangeStep(const ChangeStep&) = delete;
  ChangeStep& operator=(const ChangeStep&) = delete;

  // False when the call must change nothing and answer refusal(): RC_FAIL
  // when the latest document cannot be loaded, RC_FILE_ERROR when the
  // document's lock cannot be taken.
  bool ready() const { return begun_ == RC_SUCCESS; }
  _Fennimar_ReturnCode_ refusal() const { return begun_; }

  // Ends the step after the writer answered `result`: RC_FILE_ERROR instead
  // when its save did not reach the disk.
  _Fennimar_ReturnCode_ Finish(_Fennimar_ReturnCode_ result) {
    finished_ = true;
    return settings_.EndChange() ? result : RC_FILE_ERROR;
  }

 private:
  SettingsHolder& settings_;
  _Fennimar_ReturnCode_ begun_;
  bool finished_ = false;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_CHANGESTEP_H_
