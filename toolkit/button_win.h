// Push buttons, check boxes and radio buttons.
#pragma once

#include "control_win.h"

namespace toolkit {

// A push button; the default button of its form is pressed by Enter, and a
// button with a modal result ends its modal form with it.
class Button : public Control {
 public:
  Button(Component& owner, Container& parent, const Design& design);
  // Presses the button as a click would (BM_CLICK).
  void Click();

 protected:
  void CreateHandle() override;
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// OnClick runs whenever the checked state changes, by the user or by SetChecked.
class CheckBox : public Control {
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
class RadioButton : public Control {
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
