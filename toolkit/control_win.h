// The base of every control: one HWND, bound to its object at creation,
// with notifications reflected from the parent back to the object. Designed
// geometry is kept in 96-DPI pixels and scaled to the form's DPI.
//
// A control's window is made when its form is first shown, or earlier when
// something asks for a handle; until then the control keeps what is set on
// it (caption, state, items) and its window starts with that. Controls added
// to a form whose windows exist get their window at once.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "component.h"
#include "design_win.h"
#include "layout.h"

namespace toolkit {

class Container;
class Form;

class Control : public Component {
 public:
  ~Control() override;

  // The control's window; asking for it makes the form's windows if they do
  // not exist yet, and this control's if it was hidden then.
  HWND Handle() const;
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  Container* Parent() const { return parent_; }
  Form& OwnerForm() const { return *form_; }
  int Id() const { return id_; }

  // The object behind a window that the toolkit made; null for others.
  static Control* FromHandle(HWND window);

  // Geometry in 96-DPI pixels relative to the parent's client area.
  Rect Bounds() const;
  void SetBounds(const Rect& bounds);
  int Width() const { return Bounds().Width; }
  int Height() const { return Bounds().Height; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  void SetFocus();

  COLORREF Color() const;  // the background actually used
  void SetColor(COLORREF color);
  void SetFontColor(COLORREF color);
  void SetFontSize(int points);
  HFONT Font() const;
  void Invalidate();

  // Whether Tab stops at this control while it is visible and enabled.
  virtual bool TakesTabStop() const { return false; }
  // Whether the control starts a group for the arrow keys; only a radio
  // button that follows another one continues its group.
  virtual bool StartsGroup() const { return true; }

  // What screen readers get (accessible_win.h). The name is the designed
  // accessible name, else the control's caption, after the caption of the
  // row it sits in; a control without a caption takes its label's (designed
  // just before it, with an Alt key), or else its group's.
  std::wstring AccessibleNameText() const;
  std::wstring AccessibleName() const override { return accessibleName_; }
  void SetAccessibleName(const std::wstring& name) override { accessibleName_ = name; }
  const std::wstring& AccessibleDescription() const { return accessibleDescription_; }
  void SetAccessibleDescription(const std::wstring& description);
  // 0 keeps the system's role; an empty value the system's value.
  virtual long AccessibleRole() const { return 0; }
  virtual std::wstring AccessibleValue() const { return {}; }
  // A row is a strip whose painted caption names the controls in it.
  virtual bool IsCaptionedRow() const { return false; }

  bool HasCaption() const override { return captioned_; }
  std::wstring Caption() const override;
  void SetCaption(const std::wstring& caption) override;

  NotifyEvent OnClick;

 protected:
  // `owner` null only for forms.
  Control(Component* owner, Container* parent, const Design& design, bool captioned);

  // Each kind's constructor ends with this: the control joins its parent,
  // and gets its window now if the parent has one.
  void Placed();
  // Makes this control's window (by CreateChild) and gives it the state that
  // was set before.
  virtual void CreateHandle() = 0;
  // Creates the window as a child of the parent at its laid-out or designed
  // bounds; a null class name makes a window of the toolkit's own class.
  void CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text);
  // Creates a window bound to `control` (forms make their own top-level window).
  static void CreateBound(Control* control, const wchar_t* className, DWORD style, DWORD exStyle,
                          const std::wstring& text, HWND parent, const RECT& device, HMENU id);

  // The message handler of this control's own window; DefaultProc passes on.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification about this control that arrived at its parent. Returns
  // true when handled, with the parent's answer in `result`.
  virtual bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Called whenever the font or DPI changes; kinds that measure text extend it.
  virtual void ApplyFont();
  // The caption that names this control itself, as read aloud.
  virtual std::wstring SpokenOwnCaption() const;

  int Dpi() const;
  int Scale(int length) const { return ScaleLength(length, Dpi()); }
  Rect DeviceBounds() const { return ScaleRect(design_.Bounds, Dpi()); }
  const Design& Designed() const { return design_; }
  Design& Designed() { return design_; }
  int FontPoints() const;
  COLORREF TextColor() const;
  // The background as designed, through the parents; kParentColor for none.
  COLORREF DesignedBackground() const;
  HBRUSH BackgroundBrush() const;
  void FillBackground(HDC dc, const RECT& rect) const;
  void Raise(const NotifyEvent& event);
  // Moves the window to its designed place, or has the parent realign it.
  void Reposition();

 private:
  friend class Container;
  friend class Form;
  static LRESULT CALLBACK OwnWindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK SubclassThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  void Detach() noexcept;
  // The window of a control that was hidden when the form's windows were
  // made, with its parents' and children's.
  void CreateHiddenHandle();
  void TakeDesignedPlace();

  Form* form_;
  Container* parent_;
  Design design_;  // kept for the geometry, colours and font it designs
  std::wstring caption_;  // the caption while there is no window
  std::wstring accessibleName_;
  std::wstring accessibleDescription_;
  Rect placed_{};         // device pixels: where the layout puts an aligned control
  bool isPlaced_ = false;
  HWND hwnd_ = nullptr;
  int id_ = 0;
  WNDPROC classProc_ = nullptr;  // the window class's procedure of a subclassed standard control
  bool captioned_;
  bool visible_;
  bool enabled_;
  bool mouseDown_ = false;
};

// A control that holds controls and lays out those that are aligned.
class Container : public Control {
 public:
  const std::vector<Control*>& Children() const { return children_; }
  // Places the aligned children again; runs by itself when the size changes.
  void Realign();

 protected:
  using Control::Control;
  // Creates the windows of the children that have none, each at its final
  // place, and of their children in turn.
  void CreateChildHandles();
  // The device-pixel area that aligned children share.
  virtual RECT AlignArea() const;
  virtual void ChildAdded(Control& child);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class Control;
  void Adopt(Control& child);
  void Forget(Control& child) noexcept;
  // The device-pixel places of the aligned children, laid out in AlignArea.
  std::vector<std::pair<Control*, Rect>> LayOut() const;
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  std::vector<Control*> children_;
};

// The owner of what is placed in `parent`: the form it lives on.
Component& DesignOwnerOf(Container& parent);

// Creates a control of kind T in `parent`, owned by the parent's form, which
// deletes it.
template <class T>
T* Make(Container& parent, const Design& design) {
  return new T(DesignOwnerOf(parent), parent, design);
}

}  // namespace toolkit
