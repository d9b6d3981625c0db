#include "label_win.h"

#include "accessible_win.h"
#include "mnemonic.h"

namespace toolkit {

namespace {

DWORD AlignmentStyle(TextAlign alignment) {
  switch (alignment) {
    case TextAlign::Center:
      return SS_CENTER;
    case TextAlign::Right:
      return SS_RIGHT;
    case TextAlign::Left:
      break;
  }
  return SS_LEFT;
}

}  // namespace

Label::Label(Component& owner, Container& parent, const Design& design) : Control(&owner, &parent, design, true) {
  Placed();
}

// A label designed with a mnemonic names a field; any other shows data (a
// value, a path), whose ampersands are text.
void Label::CreateHandle() {
  const DWORD prefix = MnemonicOf(Designed().Caption) ? 0 : SS_NOPREFIX;
  CreateChild(WC_STATICW, SS_NOTIFY | prefix | AlignmentStyle(Designed().Alignment), 0, Caption());
}

void Label::SetCaption(const std::wstring& caption) {
  const bool changed = caption != Caption();
  Control::SetCaption(caption);
  FitText();
  if (changed && Designed().Announce && HandleAllocated()) AnnounceTextChange(Handle(), caption.c_str());
}

void Label::ApplyFont() {
  Control::ApplyFont();
  FitText();
}

void Label::FitText() {
  if (!Designed().AutoSize || !HandleAllocated()) return;
  const std::wstring text = Caption();
  HDC dc = GetDC(Handle());
  HGDIOBJ previous = SelectObject(dc, Font());
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &measured, DT_CALCRECT | DT_NOCLIP);
  SelectObject(dc, previous);
  ReleaseDC(Handle(), dc);
  Rect bounds = Designed().Bounds;
  // Rounded up, so that scaled again the label holds the whole text at any DPI.
  const auto unscaled_up = [dpi = Dpi()](int pixels) { return (pixels * kDesignDpi + dpi - 1) / dpi; };
  bounds.Width = unscaled_up(measured.right);
  bounds.Height = unscaled_up(measured.bottom);
  if (!(bounds == Designed().Bounds)) SetBounds(bounds);
  if (OnResized) OnResized();
}

LRESULT Label::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The static control paints a new text at once; drawn with the next paint
  // instead, a run of changes (the feature load sets several labels between
  // its requests) costs one paint at the end.
  if (message == WM_SETTEXT) {
    const LRESULT result = DefWindowProcW(Handle(), message, wParam, lParam);
    InvalidateRect(Handle(), nullptr, TRUE);
    return result;
  }
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) InvalidateRect(Handle(), nullptr, TRUE);
  if (message == WM_PAINT && GetFocus() == Handle()) {
    // The static control draws no focus; a link shows where the keyboard is.
    const LRESULT result = Control::WindowProc(message, wParam, lParam);
    RECT client;
    GetClientRect(Handle(), &client);
    HDC dc = GetDC(Handle());
    DrawFocusRect(dc, &client);
    ReleaseDC(Handle(), dc);
    return result;
  }
  return Control::WindowProc(message, wParam, lParam);
}

bool Label::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
    Raise(OnClick);
    return true;
  }
  return Control::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
