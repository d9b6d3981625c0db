#include "track_bar_win.h"

#include <algorithm>

namespace toolkit {

TrackBar::TrackBar(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false),
      OnChange(design.OnChange),
      min_(design.Min),
      max_(design.Max),
      position_(std::clamp(design.Position, design.Min, std::max(design.Min, design.Max))),
      pageSize_(design.PageSize),
      last_(position_) {
  Placed();
}

void TrackBar::CreateHandle() {
  const Design& design = Designed();
  CreateChild(TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | (design.TicksBothSides ? TBS_BOTH : TBS_BOTTOM) |
                                    (design.PositionToolTip ? TBS_TOOLTIPS : 0),
              0, L"");
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(Handle(), TBM_SETPAGESIZE, 0, pageSize_);
  SendMessageW(Handle(), TBM_SETTICFREQ, 1, 0);
  if (design.PositionToolTip) SendMessageW(Handle(), TBM_SETTIPSIDE, TBTS_TOP, 0);
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
}

int TrackBar::Position() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)) : position_;
}
int TrackBar::Min() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMIN, 0, 0)) : min_;
}
int TrackBar::Max() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMAX, 0, 0)) : max_;
}

void TrackBar::SetPosition(int position) {
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
  else position_ = std::min(std::max(position, min_), max_);
  Changed();
}

void TrackBar::SetMin(int min) {
  if (HandleAllocated()) {
    SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, min);
  } else {
    min_ = min;
    position_ = std::max(position_, min_);
  }
  Changed();
}

void TrackBar::SetMax(int max) {
  if (HandleAllocated()) {
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  } else {
    max_ = max;
    position_ = std::min(position_, max_);
  }
  Changed();
}

void TrackBar::SetRange(int min, int max) {
  if (HandleAllocated()) {
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  } else {
    min_ = min;
    max_ = max;
    position_ = std::min(std::max(position_, min_), max_);
  }
  Changed();
}

void TrackBar::SetPageSize(int size) {
  pageSize_ = size;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPAGESIZE, 0, size);
}

void TrackBar::Changed() {
  const int now = Position();
  if (now == last_) return;
  last_ = now;
  Raise(OnChange);
}

bool TrackBar::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_HSCROLL) {
    Changed();
    result = 0;
    return true;
  }
  return Control::Reflect(message, wParam, lParam, result);
}

std::wstring TrackBar::AccessibleValue() const {
  if (const Control* label = Designed().ValueLabel) return label->Caption();
  return std::to_wstring(Position());
}

}  // namespace toolkit
