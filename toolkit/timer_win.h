// Window timers of a form: one handler, an interval and an enabled switch.
#pragma once

#include <windows.h>

#include "component.h"

namespace toolkit {

class Form;

struct TimerDesign {
  std::wstring Name{};
  UINT Interval = 1000;  // milliseconds
  bool Enabled = true;
  NotifyEvent OnTimer{};
};

class Timer : public Component {
 public:
  Timer(Form& owner, const TimerDesign& design);
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return interval_; }
  // Restarts the count when the timer runs.
  void SetInterval(UINT milliseconds);

  NotifyEvent OnTimer;

  // Called by the form for each WM_TIMER of this timer.
  void Fire();

 private:
  void Update();

  Form& form_;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_;
};

}  // namespace toolkit
