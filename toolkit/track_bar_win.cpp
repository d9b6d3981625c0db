#include "track_bar_win.h"

namespace toolkit {

TrackBar::TrackBar(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false), OnChange(design.OnChange) {
  CreateChild(TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS |
                                    (design.TicksBothSides ? TBS_BOTH : TBS_BOTTOM) |
                                    (design.PositionToolTip ? TBS_TOOLTIPS : 0), 0,
              L"");
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, design.Min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, design.Max);
  SendMessageW(Handle(), TBM_SETPAGESIZE, 0, design.PageSize);
  SendMessageW(Handle(), TBM_SETTICFREQ, 1, 0);
  if (design.PositionToolTip) SendMessageW(Handle(), TBM_SETTIPSIDE, TBTS_TOP, 0);
  SendMessageW(Handle(), TBM_SETPOS, TRUE, design.Position);
  last_ = Position();
}

int TrackBar::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }
int TrackBar::Min() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMIN, 0, 0)); }
int TrackBar::Max() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMAX, 0, 0)); }

void TrackBar::SetPosition(int position) {
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
  Changed();
}

void TrackBar::SetMin(int min) {
  SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, min);
  Changed();
}

void TrackBar::SetMax(int max) {
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  Changed();
}

void TrackBar::SetRange(int min, int max) {
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  Changed();
}

void TrackBar::SetPageSize(int size) { SendMessageW(Handle(), TBM_SETPAGESIZE, 0, size); }

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

}  // namespace toolkit
