// Forms: top-level windows built from a design. A program's window is a
// class derived from Form whose constructor places its controls; the form
// owns them and deletes them with itself.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "control_win.h"
#include "gdi_win.h"

namespace toolkit {

class Timer;

enum class BorderStyle { None, Dialog, Sizeable };
enum class FormPosition { Designed, ScreenCenter, OwnerCenter };
enum class WindowState { Normal, Maximized };

// Modal results are the dialog-box command ids.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;
constexpr int mrYes = IDYES;
constexpr int mrNo = IDNO;

struct FontSpec {
  std::wstring Name = L"微软雅黑";
  int Size = 9;  // points
};

struct FormDesign {
  std::wstring Name{};
  std::wstring Caption{};
  int Left = 0, Top = 0;  // used with FormPosition::Designed
  int ClientWidth = 640, ClientHeight = 480;
  BorderStyle Border = BorderStyle::Sizeable;
  FormPosition Position = FormPosition::Designed;
  WindowState State = WindowState::Normal;
  COLORREF Color = kParentColor;
  FontSpec Font{};
  Edges Padding{};
  bool DoubleBuffered = false;
  NotifyEvent OnShow{}, OnClose{}, OnClick{}, OnMouseActivate{};
};

class Form : public Container {
 public:
  explicit Form(const FormDesign& design);
  ~Form() override;

  void Show();
  void SetVisible(bool visible) override;
  // Runs the close: OnClose, then a modal form ends with mrCancel unless a
  // result is set, another form hides, and the main form ends the program.
  void Close();

  // Shows the form with every other window of the thread disabled and runs
  // messages until a modal result is set or the form is closed.
  int ShowModal();
  bool IsModal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  int ClientWidth() const;
  int ClientHeight() const;

  // The font that every control taking its parent's font follows; changing it
  // re-fonts and re-lays out the whole form.
  const FontSpec& FormFont() const { return font_; }
  void SetFormFont(const FontSpec& font);
  void SetFontName(const std::wstring& name);

  int Dpi() const { return dpi_; }
  // Re-lays out at the DPI the window has now: for a form made a child of
  // another window, which takes that window's DPI.
  void FollowWindowDpi();
  // Drops the brushes and redraws everything in the colours of now.
  void ColorsChanged();

  // Makes the windows of every control on the form, laid out at the form's
  // size; Show does it the first time, and so does asking any control for
  // its handle.
  void CreateHandles();
  bool HandlesCreated() const { return handlesCreated_; }

  // Between these, size changes place no controls and draw nothing;
  // ResumeLayout places them once for the final size and has the form drawn
  // once. For a run of moves, resizes and re-showings.
  void SuspendLayout() { layoutSuspended_ = true; }
  void ResumeLayout();
  bool LayoutSuspended() const { return layoutSuspended_; }

  // Binds a member function as an event handler: Handler(&TfrmMain::ButtonCloseClick).
  template <class F>
  NotifyEvent Handler(void (F::*method)(Component& Sender)) {
    F* self = static_cast<F*>(this);
    return [self, method](Component& sender) { (self->*method)(sender); };
  }

  NotifyEvent OnShow, OnClose, OnMouseActivate;

  // Keyboard handling before dispatch: Enter presses the default button (or
  // the focused push button), Esc the cancel button, Tab, arrows, Ctrl+Tab
  // and Alt+key move the focus (keyboard_win.h). An embedded form without
  // such a button hands Enter and Esc to the page it lives in.
  bool PreTranslateMessage(MSG& message);

  // Moves the focus as Tab does: an edit's text is selected, and a radio
  // button that gains the focus is not clicked by it.
  void FocusByKeyboard(Control& control);
  bool MovingFocus() const { return movingFocus_; }

  // Toolkit internals, for controls and timers.
  int NextControlId() { return nextId_++; }
  void RegisterControl(Control& control) { byId_[control.Id()] = &control; }
  void ForgetControl(Control& control) noexcept;
  Control* ControlById(int id) const;
  void SetDefaultButton(Control* button) { defaultButton_ = button; }
  void SetCancelButton(Control* button) { cancelButton_ = button; }
  UINT_PTR AddTimer(Timer& timer);
  void RemoveTimer(UINT_PTR id) noexcept { timers_.erase(id); }
  HFONT CachedFont(int points);
  HBRUSH CachedBrush(COLORREF color);

 protected:
  void CreateHandle() override;
  // The form's message dispatch. A form overrides it to take messages before
  // the toolkit does, and passes everything else on to Form::WindowProc.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlaceForShowing();
  void FitClientArea();
  void ApplyDpi(int dpi, const RECT* suggested);
  void Rescale(int dpi);
  // This form, and the forms living inside other windows, which hear of
  // colour changes from no one else (only top-level windows are told).
  void ColorsChangedEverywhere();
  void Refresh(Control& control);

  FormDesign formDesign_;
  FontSpec font_;
  int dpi_;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool handlesCreated_ = false;
  bool layoutSuspended_ = false;
  bool movingFocus_ = false;
  int modalResult_ = mrNone;
  int nextId_ = 1000;
  UINT_PTR nextTimerId_ = 1;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  std::unordered_map<int, Control*> byId_;
  std::unordered_map<UINT_PTR, Timer*> timers_;
  std::map<std::tuple<std::wstring, int, int>, UniqueFont> fonts_;
  std::unordered_map<COLORREF, UniqueBrush> brushes_;
};

// Every form that exists, in the order they were made.
std::vector<Form*>& LiveForms();

}  // namespace toolkit
