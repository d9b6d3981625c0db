#include "labeled_edit_win.h"

#include "label_win.h"
#include "mnemonic.h"

namespace toolkit {

LabeledEdit::LabeledEdit(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false), OnChange(design.OnChange) {
  label_ = new Label(*this, parent,
                     {.Name = L"SubLabel", .Caption = design.Caption, .Bounds = {0, 0, 0, 0},
                      .Visible = design.Visible, .Enabled = design.Enabled, .AutoSize = true});
  text_ = design.Text;
  label_->OnResized = [this] { PlaceLabel(); };
  Placed();
}

void LabeledEdit::CreateHandle() {
  const Design& design = Designed();
  CreateChild(WC_EDITW, ES_AUTOHSCROLL | (design.PasswordChar ? ES_PASSWORD : 0) |
                             (design.ReadOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE,
              text_);
  text_.clear();
  if (design.PasswordChar) SendMessageW(Handle(), EM_SETPASSWORDCHAR, design.PasswordChar, 0);
  PlaceLabel();
}

void LabeledEdit::PlaceLabel() {
  if (!HandleAllocated() || !label_->HandleAllocated()) return;
  const Rect edit = Bounds();
  Rect label = label_->Bounds();
  label.Left = edit.Left - Designed().LabelSpacing - label.Width;
  label.Top = edit.Top + (edit.Height - label.Height) / 2;
  label_->SetBounds(label);
}

std::wstring LabeledEdit::Text() const {
  if (!HandleAllocated()) return text_;
  std::wstring text(GetWindowTextLengthW(Handle()) + 1, L'\0');
  text.resize(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size())));
  return text;
}

void LabeledEdit::SetText(const std::wstring& text) {
  if (HandleAllocated()) SetWindowTextW(Handle(), text.c_str());
  else text_ = text;
}

void LabeledEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void LabeledEdit::SetReadOnly(bool readOnly) {
  Designed().ReadOnly = readOnly;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void LabeledEdit::SetVisible(bool visible) {
  Control::SetVisible(visible);
  label_->SetVisible(visible);
}

void LabeledEdit::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  label_->SetEnabled(enabled);
}

LRESULT LabeledEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONUP) {
    const LRESULT result = Control::WindowProc(message, wParam, lParam);
    Raise(OnClick);
    return result;
  }
  if (message == WM_WINDOWPOSCHANGED) {
    const LRESULT result = Control::WindowProc(message, wParam, lParam);
    PlaceLabel();
    return result;
  }
  return Control::WindowProc(message, wParam, lParam);
}

bool LabeledEdit::Reflect(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    Raise(OnChange);
    return true;
  }
  return false;  // edits keep the system's colours
}

std::wstring LabeledEdit::SpokenOwnCaption() const { return SpokenCaption(label_->Caption()); }

}  // namespace toolkit
