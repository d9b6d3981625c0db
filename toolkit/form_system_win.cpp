// What a form does when the system changes under it: the DPI of the window
// it lives in, the colours, the theme.
#include "dpi_win.h"
#include "form_win.h"
#include "theme_win.h"

namespace toolkit {

namespace {

BOOL CALLBACK TellColorChange(HWND window, LPARAM) {
  // Common controls keep colours of their own; only top-level windows hear
  // of the change from the system.
  FollowContrastTheme(window);
  SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

std::vector<Form*>& LiveForms() {
  static std::vector<Form*> forms;
  return forms;
}

void Form::FollowWindowDpi() {
  if (!HandleAllocated() || DpiOverridden()) return;
  if (const int dpi = DpiForWindow(Handle()); dpi != dpi_) Rescale(dpi);
}

void Form::ColorsChanged() {
  brushes_.clear();
  if (!HandleAllocated()) return;
  EnumChildWindows(Handle(), TellColorChange, 0);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::ColorsChangedEverywhere() {
  ColorsChanged();
  for (Form* form : LiveForms())
    if (form != this && form->HandleAllocated() && (GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD))
      form->ColorsChanged();
}

}  // namespace toolkit
