// Push buttons, check boxes and radio buttons.
#pragma once

#include "control_win.h"

namespace toolkit {

// What the kinds of button share: comctl32 draws a button the moment it is
// enabled or disabled; here that waits for the next paint, so a run of
// changes (a feature load) draws each button once.
class ButtonControl : public Control {
 protected:
  using Control::Control;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A push button; the default button of its form is pressed by Enter, and a
// button with a modal result ends its modal form with it.
class Button : public ButtonControl {
 public:
  Button(Component& owner, Container& parent, const Design& design);
  // Presses the button as a click would (BM_CLICK).
  void Click();

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// OnClick runs whenever the checked state changes, by the user or by SetChecked.
class CheckBox : public ButtonControl {
 public:
  CheckBox(Component& owner, Container& parent, const Design& design);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool checked_;
};

// Exclusive among the radio buttons of the same parent. OnClick runs when the
// button becomes checked, by the user or by SetChecked(true); unchecking runs
// nothing.
class RadioButton : public ButtonControl {
 public:
  RadioButton(Component& owner, Container& parent, const Design& design);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Mark(bool checked);
  bool checked_ = false;
};

}  // namespace toolkit
