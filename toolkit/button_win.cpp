#include "button_win.h"

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
  CreateChild(WC_BUTTONW, WS_TABSTOP | (Designed().Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, Caption());
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
  CreateChild(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0, Caption());
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
  CreateChild(WC_BUTTONW, WS_TABSTOP | BS_RADIOBUTTON, 0, Caption());
  if (checked_) SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

void RadioButton::Mark(bool checked) {
  if (checked) {
    for (Control* sibling : Parent()->Children()) {
      if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && radio != this) radio->Mark(false);
    }
  }
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  Mark(checked);
  if (checked) Raise(OnClick);
}

bool RadioButton::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    SetChecked(true);
    return true;
  }
  return ButtonControl::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
