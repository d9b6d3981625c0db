// Static text. An auto-sized label fits its caption whenever the caption or
// the font changes.
#pragma once

#include <functional>

#include "control_win.h"

namespace toolkit {

class Label : public Control {
 public:
  long AccessibleRole() const override { return TakesTabStop() ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT; }
  // A label that does something when clicked is a link: Tab stops at it,
  // and Enter or Space clicks it.
  bool TakesTabStop() const override { return static_cast<bool>(OnClick); }
  void Click() { Raise(OnClick); }
  Label(Component& owner, Container& parent, const Design& design);
  void SetCaption(const std::wstring& caption) override;

  // Told after an auto-size, so that a labelled edit can place its label again.
  std::function<void()> OnResized;

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void ApplyFont() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitText();
};

}  // namespace toolkit
