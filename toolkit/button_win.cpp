#include "button_win.h"

#include <algorithm>

#include "form_win.h"

namespace toolkit {

LRESULT ButtonControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENABLE) {
    InvalidateRect(Handle(), nullptr, TRUE);
    return 0;
  }
  return Control::WindowProc(message, wParam, lParam);
}

Button::Button(Component& owner, Container& parent, const Design& design)
    : ButtonControl(&owner, &parent, design, true) {
  if (design.Default) OwnerForm().SetDefaultButton(this);
  if (design.Cancel) OwnerForm().SetCancelButton(this);
  Placed();
}

void Button::CreateHandle() {
  CreateChild(WC_BUTTONW, (Designed().Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, Caption());
}

void Button::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

bool Button::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (Designed().ModalResult != mrNone) OwnerForm().SetModalResult(Designed().ModalResult);
    Raise(OnClick);
    return true;
  }
  return ButtonControl::Reflect(message, wParam, lParam, result);
}

CheckBox::CheckBox(Component& owner, Container& parent, const Design& design)
    : ButtonControl(&owner, &parent, design, true), checked_(design.Checked) {
  Placed();
}

void CheckBox::CreateHandle() {
  CreateChild(WC_BUTTONW, BS_AUTOCHECKBOX, 0, Caption());
  if (checked_) SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Raise(OnClick);
}

bool CheckBox::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    checked_ = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Raise(OnClick);
    return true;
  }
  return ButtonControl::Reflect(message, wParam, lParam, result);
}

RadioButton::RadioButton(Component& owner, Container& parent, const Design& design)
    : ButtonControl(&owner, &parent, design, true) {
  Placed();
  if (design.Checked) Mark(true);  // the designed state: no click at creation
}

void RadioButton::CreateHandle() {
  CreateChild(WC_BUTTONW, BS_RADIOBUTTON, 0, Caption());
  if (checked_) SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

std::vector<RadioButton*> RadioButton::Group() const {
  std::vector<RadioButton*> group;
  for (Control* sibling : Parent()->Children()) {
    auto* radio = dynamic_cast<RadioButton*>(sibling);
    if (!radio) {
      if (std::find(group.begin(), group.end(), this) != group.end()) break;
      group.clear();
    } else {
      group.push_back(radio);
    }
  }
  return group;
}

bool RadioButton::StartsGroup() const { return Group().front() == this; }

bool RadioButton::TakesTabStop() const {
  if (checked_) return true;
  for (RadioButton* radio : Group())
    if (radio->checked_ && radio->Visible() && radio->Enabled()) return false;
  return Group().front() == this;
}

void RadioButton::Mark(bool checked) {
  const std::vector<RadioButton*> group = Group();
  if (checked) {
    for (RadioButton* radio : group)
      if (radio != this) radio->Mark(false);
  }
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  // The dialog manager of a host window walks tab stops by style.
  for (RadioButton* radio : group) {
    if (!radio->HandleAllocated()) continue;
    const LONG style = GetWindowLongW(radio->Handle(), GWL_STYLE);
    SetWindowLongW(radio->Handle(), GWL_STYLE, radio->TakesTabStop() ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  Mark(checked);
  if (checked) Raise(OnClick);
}

bool RadioButton::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    // A radio button clicks itself when it gains the focus unchecked; the
    // toolkit's own focus moves are no choice of the user's.
    if (!OwnerForm().MovingFocus()) SetChecked(true);
    return true;
  }
  return ButtonControl::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
