// A horizontal track bar. OnChange runs once for every change of the
// position, whether the user moved it or code did (directly or by a range
// that pushed it).
// Until it has a window the bar keeps range, position and page size itself,
// clamped as the window clamps them.
#pragma once

#include "control_win.h"

namespace toolkit {

class TrackBar : public Control {
 public:
  long AccessibleRole() const override { return ROLE_SYSTEM_SLIDER; }
  std::wstring AccessibleValue() const override;
  bool TakesTabStop() const override { return true; }
  TrackBar(Component& owner, Container& parent, const Design& design);

  int Position() const;
  void SetPosition(int position);
  int Min() const;
  int Max() const;
  void SetMin(int min);
  void SetMax(int max);
  void SetRange(int min, int max);
  void SetPageSize(int size);

  NotifyEvent OnChange;

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Changed();
  int min_, max_, position_, pageSize_;
  int last_;
};

}  // namespace toolkit
