#include "timer_win.h"

#include "error_box_win.h"
#include "form_win.h"

namespace toolkit {

Timer::Timer(Form& owner, const TimerDesign& design)
    : Component(&owner, design.Name),
      OnTimer(design.OnTimer),
      form_(owner),
      id_(owner.AddTimer(*this)),
      interval_(design.Interval),
      enabled_(design.Enabled) {
  Update();
}

Timer::~Timer() {
  if (form_.HandleAllocated()) KillTimer(form_.Handle(), id_);
  form_.RemoveTimer(id_);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  Update();
}

void Timer::Update() {
  // A running timer needs the form's window; a stopped one makes none.
  if (form_.HandleAllocated()) KillTimer(form_.Handle(), id_);
  if (enabled_ && interval_ > 0) SetTimer(form_.Handle(), id_, interval_, nullptr);
}

void Timer::Fire() {
  if (enabled_ && OnTimer) Guarded([&] { OnTimer(*this); });
}

}  // namespace toolkit
