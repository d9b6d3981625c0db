// Push buttons, check boxes and radio buttons.
#pragma once

#include <vector>

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
  long AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
  bool TakesTabStop() const override { return true; }
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
  long AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
  bool TakesTabStop() const override { return true; }
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
  long AccessibleRole() const override { return ROLE_SYSTEM_RADIOBUTTON; }
  // Of a group only the checked button is a tab stop (the first while none
  // is checked); the arrow keys move within the group.
  bool TakesTabStop() const override;
  bool StartsGroup() const override;
  // The radio buttons designed one after another in this one's parent.
  std::vector<RadioButton*> Group() const;
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
