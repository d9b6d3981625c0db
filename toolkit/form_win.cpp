#include "form_win.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "application_win.h"
#include "dpi_win.h"
#include "keyboard_win.h"
#include "timer_win.h"

namespace toolkit {

namespace {

Design ControlDesignOf(const FormDesign& form) {
  Design design;
  design.Name = form.Name;
  design.Caption = form.Caption;
  design.Bounds = {form.Left, form.Top, form.ClientWidth, form.ClientHeight};
  design.Padding = form.Padding;
  design.Color = form.Color;
  design.Visible = false;
  design.OnClick = form.OnClick;
  return design;
}

DWORD StyleOf(BorderStyle border) {
  switch (border) {
    case BorderStyle::None:
      return WS_POPUP;
    case BorderStyle::Dialog:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case BorderStyle::Sizeable:
      break;
  }
  return WS_OVERLAPPEDWINDOW;
}

DWORD ExStyleOf(const FormDesign& design) {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (design.Border == BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
  if (design.DoubleBuffered) ex |= WS_EX_COMPOSITED;
  return ex;
}

// The window rectangle around a designed client area at `dpi`.
RECT WindowRectFor(const FormDesign& design, int dpi) {
  RECT r{0, 0, ScaleLength(design.ClientWidth, dpi), ScaleLength(design.ClientHeight, dpi)};
  AdjustWindowRectExForDpi(&r, StyleOf(design.Border), FALSE, ExStyleOf(design), dpi);
  OffsetRect(&r, ScaleLength(design.Left, dpi) - r.left, ScaleLength(design.Top, dpi) - r.top);
  return r;
}

bool IsPushButton(HWND window) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpiW(name, L"Button") != 0) return false;
  const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

struct DisabledWindows {
  HWND keep;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM state) {
  auto* disabled = reinterpret_cast<DisabledWindows*>(state);
  if (window != disabled->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled->windows.push_back(window);
  }
  return TRUE;
}

}  // namespace

Form::Form(const FormDesign& design)
    : Container(nullptr, nullptr, ControlDesignOf(design), true),
      formDesign_(design),
      font_(design.Font),
      dpi_(DpiForWindow(nullptr)) {
  InitializeToolkit();
  form_ = this;
  OnShow = design.OnShow;
  OnClose = design.OnClose;
  OnMouseActivate = design.OnMouseActivate;
  LiveForms().push_back(this);
}

// The form's own window is made when it is first needed: a form that is
// built at start but shown later (or never) costs no window until then.
void Form::CreateHandle() {
  const RECT r = WindowRectFor(formDesign_, dpi_);
  CreateBound(this, nullptr, StyleOf(formDesign_.Border) | WS_CLIPCHILDREN, ExStyleOf(formDesign_), caption_, nullptr,
              r, nullptr);
  if (const int actual = DpiForWindow(Handle()); actual != dpi_) ApplyDpi(actual, nullptr);
  FitClientArea();
}

// The frame is drawn at the monitor's DPI, which can differ from the DPI the
// designed client area is scaled to (VELMO_DPI): size the window by what the
// frame really takes.
void Form::FitClientArea() {
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int width = ScaleLength(formDesign_.ClientWidth, dpi_), height = ScaleLength(formDesign_.ClientHeight, dpi_);
  if (client.right == width && client.bottom == height) return;
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + width - client.right,
               window.bottom - window.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::~Form() {
  std::erase(LiveForms(), this);
  DestroyComponents();
  if (HandleAllocated()) DestroyWindow(Handle());
}

void Form::ForgetControl(Control& control) noexcept {
  auto found = byId_.find(control.Id());
  if (found != byId_.end() && found->second == &control) byId_.erase(found);
  if (defaultButton_ == &control) defaultButton_ = nullptr;
  if (cancelButton_ == &control) cancelButton_ = nullptr;
}

Control* Form::ControlById(int id) const {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

UINT_PTR Form::AddTimer(Timer& timer) {
  const UINT_PTR id = nextTimerId_++;
  timers_[id] = &timer;
  return id;
}

HFONT Form::CachedFont(int points) {
  auto& font = fonts_[{font_.Name, points, dpi_}];
  if (!font) {
    LOGFONTW logfont{};
    logfont.lfHeight = -MulDiv(points, dpi_, 72);
    logfont.lfWeight = FW_NORMAL;
    logfont.lfCharSet = DEFAULT_CHARSET;
    logfont.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(logfont.lfFaceName, font_.Name.c_str(), LF_FACESIZE);
    font.reset(CreateFontIndirectW(&logfont));
  }
  return font.get();
}

HBRUSH Form::CachedBrush(COLORREF color) {
  auto& brush = brushes_[color];
  if (!brush) brush.reset(CreateSolidBrush(color));
  return brush.get();
}

int Form::ClientWidth() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  return UnscaleLength(r.right, dpi_);
}

int Form::ClientHeight() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  return UnscaleLength(r.bottom, dpi_);
}

void Form::SetFormFont(const FontSpec& font) {
  font_ = font;
  for (Control* child : Children()) Refresh(*child);
  Realign();
}

void Form::SetFontName(const std::wstring& name) { SetFormFont({name, font_.Size}); }

// Re-fonts and re-places a control and everything inside it.
void Form::Refresh(Control& control) {
  if (control.Designed().Align == Align::None) control.Reposition();
  control.ApplyFont();
  if (auto* container = dynamic_cast<Container*>(&control)) {
    for (Control* child : container->Children()) Refresh(*child);
    container->Realign();
  }
}

void Form::ApplyDpi(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  const RECT r = suggested ? *suggested : WindowRectFor(formDesign_, dpi);
  SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!suggested) FitClientArea();
  Rescale(dpi);
}

void Form::Rescale(int dpi) {
  dpi_ = dpi;
  for (Control* child : Children()) Refresh(*child);
  Realign();
}

void Form::PlaceForShowing() {
  if (shownOnce_) return;
  shownOnce_ = true;
  if (formDesign_.Position == FormPosition::Designed) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  HWND over = formDesign_.Position == FormPosition::OwnerCenter ? GetWindow(Handle(), GW_OWNER) : nullptr;
  RECT around;
  if (over) {
    GetWindowRect(over, &around);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    around = monitor.rcWork;
  }
  const int width = window.right - window.left, height = window.bottom - window.top;
  const int left = std::max<int>(around.left, around.left + (around.right - around.left - width) / 2);
  const int top = std::max<int>(around.top, around.top + (around.bottom - around.top - height) / 2);
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::CreateHandles() {
  if (handlesCreated_) return;
  Handle();  // the form's own window first
  handlesCreated_ = true;
  CreateChildHandles();
}

void Form::ResumeLayout() {
  layoutSuspended_ = false;
  Realign();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::Show() {
  // The controls are made before the form appears: made later, inside a
  // window of another process (where OnShow may embed the form), each one
  // would cost round trips to that process.
  CreateHandles();
  PlaceForShowing();
  Control::visible_ = true;
  // OnShow comes before the window appears, as in the classic toolkits: a
  // handler that moves, re-parents or re-sizes the form does so while
  // nothing of it is on screen, so it is laid out and painted once.
  const bool appearing = !IsWindowVisible(Handle());
  if (appearing) Raise(OnShow);
  // Focus given by OnShow is kept through the activation that follows (the
  // default activation focuses the form itself).
  HWND focus = GetFocus();
  ShowWindow(Handle(), formDesign_.State == WindowState::Maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  if (appearing && focus && focus != GetFocus() && IsChild(Handle(), focus)) {
    ::SetFocus(focus);
  } else if (appearing && !IsChild(Handle(), GetFocus())) {
    // Keyboard users start at the first control, not on the bare form.
    const std::vector<Control*> ring = TabRing(*this);
    if (!ring.empty()) FocusByKeyboard(*ring.front());
  }
  UpdateWindow(Handle());
}

void Form::SetVisible(bool visible) {
  if (visible) {
    Show();
  } else {
    Control::visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
  }
}

void Form::Close() {
  Raise(OnClose);
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  SetVisible(false);
  if (IsMainForm(*this)) PostQuitMessage(0);
}

int Form::ShowModal() {
  if (modal_) throw std::logic_error("ShowModal: the form is already modal");
  HWND previous = GetActiveWindow();
  HWND opener = GetFocus();
  if (previous && previous != Handle()) SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  SetActiveWindow(Handle());
  while (modalResult_ == mrNone) {
    if (!ProcessOneMessage()) break;
    if (!IsWindowVisible(Handle())) modalResult_ = mrCancel;
  }
  for (HWND window : disabled.windows) EnableWindow(window, TRUE);
  SetVisible(false);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  // The focus goes back to the control that opened the dialog.
  if (opener && IsWindow(opener) && IsWindowVisible(opener) && IsWindowEnabled(opener)) ::SetFocus(opener);
  modal_ = false;
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

namespace {

bool Pressable(const Control* button) {
  return button && button->Visible() && button->Enabled() && IsWindowEnabled(button->Handle());
}

// Esc first closes an open drop-down list, as it does everywhere.
bool IsDroppedList(HWND window) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, WC_COMBOBOXW) != 0) window = GetParent(window);  // the edit inside a combo box
  return window && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

}  // namespace

void Form::FocusByKeyboard(Control& control) {
  movingFocus_ = true;
  ::SetFocus(control.Handle());
  movingFocus_ = false;
  wchar_t name[16] = L"";
  GetClassNameW(control.Handle(), name, 16);
  if (lstrcmpiW(name, WC_EDITW) == 0) SendMessageW(control.Handle(), EM_SETSEL, 0, -1);
}

bool Form::PreTranslateMessage(MSG& message) {
  if (HandleNavigationKey(*this, message)) return true;
  const bool ours = message.hwnd == Handle() || IsChild(Handle(), message.hwnd);
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && ours) {
    HWND focus = GetFocus();
    if (focus && IsPushButton(focus) && IsChild(Handle(), focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    if (Pressable(defaultButton_)) {
      SendMessageW(defaultButton_->Handle(), BM_CLICK, 0, 0);
      return true;
    }
    if (!IsDroppedList(message.hwnd) && PassToHost(*this, VK_RETURN)) return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && ours && !IsDroppedList(message.hwnd)) {
    if (Pressable(cancelButton_)) {
      SendMessageW(cancelButton_->Handle(), BM_CLICK, 0, 0);
      return true;
    }
    if (PassToHost(*this, VK_ESCAPE)) return true;
  }
  return IsDialogMessageW(Handle(), &message) != FALSE;
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_TIMER:
      if (auto found = timers_.find(wParam); found != timers_.end()) {
        found->second->Fire();
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGING:
      // Each step of a run would erase every control at once; the run ends
      // with one drawing of the whole form.
      if (layoutSuspended_) reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOREDRAW;
      break;
    case WM_MOUSEACTIVATE:
      Raise(OnMouseActivate);
      break;
    case WM_DPICHANGED:
      if (!DpiOverridden()) ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DPICHANGED_AFTERPARENT:
      if (!DpiOverridden()) FollowWindowDpi();
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      ColorsChangedEverywhere();
      break;
    case DM_GETDEFID:
      return 0;  // the default button is ours to press (PreTranslateMessage)
  }
  return Container::WindowProc(message, wParam, lParam);
}

}  // namespace toolkit
