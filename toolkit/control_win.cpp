#include "control_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

#include "accessible_win.h"
#include "error_box_win.h"
#include "form_win.h"
#include "menu_win.h"
#include "mnemonic.h"
#include "theme_win.h"

namespace toolkit {

namespace {

// The control of each window. Kept in the process rather than in window
// properties or comctl32's subclass chain: under Wine every property lookup
// is a round trip to the server, and the dispatch of every message needs one.
class Bindings {
 public:
  void Bind(HWND window, Control* control) {
    std::lock_guard lock(mutex_);
    controls_[window] = control;
  }
  void Unbind(HWND window) {
    std::lock_guard lock(mutex_);
    controls_.erase(window);
  }
  Control* Find(HWND window) {
    std::lock_guard lock(mutex_);
    auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, Control*> controls_;
};

Bindings& TheBindings() {
  static Bindings bindings;
  return bindings;
}

// A child window without border, edge or scroll bar has nothing to paint
// outside its client area.
bool HasNoFrame(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  return (style & WS_CHILD) && !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) &&
         !(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

// Null for a form, whose constructor points it at itself.
Form* FormOf(Container* parent) { return parent ? &parent->OwnerForm() : nullptr; }

// One class for every window the toolkit draws itself (forms, panels, sheets, images).
const wchar_t* ToolkitWindowClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"VelmoWindow";
    return RegisterClassExW(&wc);
  }();
  if (!atom) throw std::runtime_error("RegisterClassExW failed");
  return L"VelmoWindow";
}

}  // namespace

Component& DesignOwnerOf(Container& parent) { return parent.OwnerForm(); }

Control::Control(Component* owner, Container* parent, const Design& design, bool captioned)
    : Component(owner, design.Name),
      form_(FormOf(parent)),
      parent_(parent),
      design_(design),
      caption_(captioned ? design.Caption : std::wstring()),
      accessibleName_(design.AccessibleName),
      accessibleDescription_(design.AccessibleDescription),
      captioned_(captioned),
      visible_(design.Visible),
      enabled_(design.Enabled) {
  design_.Items.clear();  // lists keep their items in the window, not here
  design_.Columns.clear();
  OnClick = design.OnClick;
  if (form_) id_ = form_->NextControlId();
}

Control::~Control() {
  DestroyComponents();
  if (parent_) parent_->Forget(*this);
  if (form_ && form_ != this) form_->ForgetControl(*this);
  if (hwnd_) DestroyWindow(hwnd_);  // the teardown at WM_NCDESTROY forgets the binding
}

HWND Control::Handle() const {
  if (hwnd_ || !form_) return hwnd_;
  if (form_ == this) {
    const_cast<Control*>(this)->CreateHandle();  // the form's own window
  } else {
    form_->CreateHandles();
    if (!hwnd_) const_cast<Control*>(this)->CreateHiddenHandle();
  }
  return hwnd_;
}

void Control::CreateHiddenHandle() {
  if (!parent_->Handle()) return;
  CreateHandle();
  if (auto* container = dynamic_cast<Container*>(this)) container->CreateChildHandles();
}

void Control::Placed() {
  parent_->Adopt(*this);
  if (!parent_->hwnd_ || !form_->HandlesCreated()) return;
  CreateHandle();
  if (design_.Align != Align::None) parent_->Realign();
}

Control* Control::FromHandle(HWND window) { return window ? TheBindings().Find(window) : nullptr; }

void Control::CreateBound(Control* control, const wchar_t* className, DWORD style, DWORD exStyle,
                          const std::wstring& text, HWND parent, const RECT& device, HMENU id) {
  const bool own = className == nullptr;
  HWND window = CreateWindowExW(exStyle, own ? ToolkitWindowClass(OwnWindowThunk) : className, text.c_str(), style,
                                device.left, device.top, device.right - device.left, device.bottom - device.top,
                                parent, id, GetModuleHandleW(nullptr), own ? control : nullptr);
  if (!window) throw std::runtime_error("CreateWindowExW failed");
  if (!own) {
    control->hwnd_ = window;
    TheBindings().Bind(window, control);
    control->classProc_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassThunk)));
  }
}

void Control::CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text) {
  const Rect r = isPlaced_ ? placed_ : DeviceBounds();
  isPlaced_ = false;
  style |= WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED) |
           (StartsGroup() ? WS_GROUP : 0) | (TakesTabStop() ? WS_TABSTOP : 0);
  form_->RegisterControl(*this);  // before creation: WM_MEASUREITEM finds it by id
  CreateBound(this, className, style, exStyle, text, parent_->hwnd_,
              RECT{r.Left, r.Top, r.Left + r.Width, r.Top + r.Height},
              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)));
  if (className) FollowContrastTheme(hwnd_);
  TakeDesignedPlace();
  ApplyFont();
}

void Control::TakeDesignedPlace() {
  // A window made after a later-designed sibling's (this one was hidden until
  // now) goes after its designed predecessor: the tab order and the overlap
  // are the designed ones.
  const auto& siblings = parent_->children_;
  const auto at = std::find(siblings.begin(), siblings.end(), this);
  if (std::none_of(at + 1, siblings.end(), [](const Control* c) { return c->hwnd_ != nullptr; })) return;
  HWND after = HWND_TOP;
  for (auto it = at; it != siblings.begin();) {
    if ((*--it)->hwnd_) {
      after = (*it)->hwnd_;
      break;
    }
  }
  SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK Control::OwnWindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    control->hwnd_ = window;
    TheBindings().Bind(window, control);
  }
  Control* control = FromHandle(window);
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  return control->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Control* control = FromHandle(window);
  return control ? control->Dispatch(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  // Under Wine the default handling takes a device context for nothing.
  if (message == WM_NCPAINT && HasNoFrame(hwnd_)) return 0;
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    result = WindowProc(message, wParam, lParam);
    handled = true;
  });
  if (!handled && message != WM_NCDESTROY) result = 0;
  if (message == WM_NCDESTROY) {
    if (!handled) DefaultProc(message, wParam, lParam);
    Detach();
  }
  return result;
}

void Control::Detach() noexcept {
  if (!hwnd_) return;
  if (classProc_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
  TheBindings().Unbind(hwnd_);
  if (form_ && form_ != this) form_->ForgetControl(*this);
  hwnd_ = nullptr;
}

LRESULT Control::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return classProc_ ? CallWindowProcW(classProc_, hwnd_, message, wParam, lParam)
                    : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Control::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    if (const LRESULT answer = AnswerGetObject(*this, wParam, lParam)) return answer;
  }
  if (!classProc_) {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillBackground(reinterpret_cast<HDC>(wParam), client);
        return 1;
      }
      case WM_LBUTTONDOWN:
        mouseDown_ = true;
        break;
      case WM_LBUTTONUP:
        if (mouseDown_) {
          mouseDown_ = false;
          Raise(OnClick);
        }
        break;
      case WM_CONTEXTMENU:
        if (design_.PopupMenu) {
          POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          if (at.x == -1 && at.y == -1) {
            at = {0, 0};
            ClientToScreen(hwnd_, &at);
          }
          design_.PopupMenu->Popup(at);
          return 0;
        }
        break;
    }
  }
  return DefaultProc(message, wParam, lParam);
}

bool Control::Reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, TextColor());
      SetBkColor(dc, Color());
      result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return true;
    }
  }
  return false;
}

std::wstring Control::SpokenOwnCaption() const { return captioned_ ? SpokenCaption(Caption()) : std::wstring(); }

std::wstring Control::AccessibleNameText() const {
  if (!accessibleName_.empty()) return SpokenCaption(accessibleName_);
  const std::wstring own = SpokenOwnCaption();
  if (own.empty()) {
    // A field's label is designed just before it, as on a dialog template.
    const auto& siblings = parent_->Children();
    const auto at = std::find(siblings.begin(), siblings.end(), this);
    if (at != siblings.begin()) {
      const Control* before = *(at - 1);
      if (!before->TakesTabStop() && before->HasCaption() && MnemonicOf(before->Caption()))
        return SpokenCaption(before->Caption());
    }
  }
  for (const Container* up = parent_; up && up != form_; up = up->parent_) {
    const std::wstring group = up->HasCaption() ? SpokenCaption(up->Caption()) : std::wstring();
    if (group.empty()) continue;
    if (up->IsCaptionedRow()) return own.empty() ? group : group + L" " + own;
    if (own.empty()) return group;
    break;
  }
  return own;
}

void Control::SetAccessibleDescription(const std::wstring& description) {
  if (description == accessibleDescription_) return;
  accessibleDescription_ = description;
  if (hwnd_) NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void Control::ApplyFont() {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), IsWindowVisible(hwnd_));
}

int Control::Dpi() const { return form_->Dpi(); }

int Control::FontPoints() const {
  if (design_.FontSize > 0) return design_.FontSize;
  return parent_ ? parent_->FontPoints() : form_->FormFont().Size;
}

HFONT Control::Font() const { return form_->CachedFont(FontPoints()); }

COLORREF Control::Color() const {
  if (design_.Color == kParentColor) return parent_ ? parent_->Color() : ThemedBackground(kParentColor);
  return design_.KeepColor ? design_.Color : ThemedBackground(design_.Color);
}

COLORREF Control::DesignedBackground() const {
  if (design_.Color != kParentColor) return design_.Color;
  return parent_ ? parent_->DesignedBackground() : kParentColor;
}

COLORREF Control::TextColor() const { return ThemedText(DesignedBackground(), design_.FontColor, enabled_); }

HBRUSH Control::BackgroundBrush() const { return form_->CachedBrush(Color()); }

void Control::FillBackground(HDC dc, const RECT& rect) const { FillRect(dc, &rect, BackgroundBrush()); }

void Control::SetColor(COLORREF color) {
  design_.Color = color;
  Invalidate();
}

void Control::SetFontColor(COLORREF color) {
  design_.FontColor = color;
  Invalidate();
}

void Control::SetFontSize(int points) {
  design_.FontSize = points;
  ApplyFont();
}

void Control::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Raise(const NotifyEvent& event) {
  if (event) Guarded([&] { event(*this); });
}

std::wstring Control::Caption() const {
  if (!hwnd_) return caption_;
  std::wstring text(GetWindowTextLengthW(hwnd_) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size())));
  return text;
}

void Control::SetCaption(const std::wstring& caption) {
  if (!captioned_) return;
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

Rect Control::Bounds() const {
  // Where an aligned control ends up is known once the windows are laid out.
  if (!hwnd_ && design_.Align != Align::None) Handle();
  if (!hwnd_) return design_.Bounds;
  RECT r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, parent_ ? parent_->Handle() : nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int dpi = Dpi();
  return {UnscaleLength(r.left, dpi), UnscaleLength(r.top, dpi), UnscaleLength(r.right - r.left, dpi),
          UnscaleLength(r.bottom - r.top, dpi)};
}

void Control::SetBounds(const Rect& bounds) {
  design_.Bounds = bounds;
  Reposition();
}

void Control::Reposition() {
  if (!hwnd_) return;
  if (design_.Align != Align::None && parent_) {
    parent_->Realign();
    return;
  }
  const Rect r = DeviceBounds();
  SetWindowPos(hwnd_, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (hwnd_)
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  else if (visible && form_->HandlesCreated())
    Handle();  // made now, shown
  else
    return;
  if (design_.Align != Align::None && parent_) parent_->Realign();
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Control::SetFocus() { ::SetFocus(Handle()); }

// ---- Container ----

void Container::CreateChildHandles() {
  for (const auto& [child, place] : LayOut()) {
    child->placed_ = place;
    child->isPlaced_ = true;
  }
  for (Control* child : children_) {
    // A hidden control gets its window when it is first shown or asked for:
    // the form appears sooner, and never-shown controls cost nothing.
    if (!child->visible_ && !child->hwnd_) continue;
    if (!child->hwnd_) child->CreateHandle();
    if (auto* container = dynamic_cast<Container*>(child)) container->CreateChildHandles();
  }
}

void Container::Adopt(Control& child) {
  children_.push_back(&child);
  ChildAdded(child);
}

void Container::Forget(Control& child) noexcept {
  children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
}

void Container::ChildAdded(Control& child) {
  if (child.design_.Align != Align::None) Realign();
}

RECT Container::AlignArea() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const Edges pad = ScaleEdges(Designed().Padding, Dpi());
  return {client.left + pad.Left, client.top + pad.Top, client.right - pad.Right, client.bottom - pad.Bottom};
}

std::vector<std::pair<Control*, Rect>> Container::LayOut() const {
  std::vector<LayoutItem> items;
  std::vector<Control*> aligned;
  const int dpi = Dpi();
  for (Control* child : children_) {
    if (child->design_.Align == Align::None) continue;
    aligned.push_back(child);
    items.push_back({child->design_.Align, ScaleRect(child->design_.Bounds, dpi),
                     ScaleEdges(child->design_.Margins, dpi), child->visible_});
  }
  std::vector<std::pair<Control*, Rect>> places;
  if (items.empty()) return places;
  const RECT area = AlignArea();
  const auto placed =
      LayoutAligned({area.left, area.top, area.right - area.left, area.bottom - area.top}, items);
  for (std::size_t i = 0; i < aligned.size(); ++i)
    if (items[i].visible) places.emplace_back(aligned[i], placed[i]);
  return places;
}

void Container::Realign() {
  if (!hwnd_ || OwnerForm().LayoutSuspended()) return;
  const auto places = LayOut();
  if (places.empty()) return;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(places.size()));
  for (std::size_t i = 0; i < places.size() && batch; ++i) {
    const auto& [child, r] = places[i];
    if (!child->hwnd_) continue;
    RECT now;
    GetWindowRect(child->hwnd_, &now);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&now), 2);
    if (now.left == r.Left && now.top == r.Top && now.right - now.left == r.Width && now.bottom - now.top == r.Height)
      continue;
    batch = DeferWindowPos(batch, child->hwnd_, nullptr, r.Left, r.Top, r.Width, r.Height,
                           SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (batch) EndDeferWindowPos(batch);
}

bool Container::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND from = nullptr;
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      from = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      from = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM: {
      // Sent while the control is still being created: found by its id.
      Control* target = OwnerForm().ControlById(static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID));
      return target && target->Reflect(message, wParam, lParam, result);
    }
    default:
      return false;
  }
  Control* target = FromHandle(from);
  return target && target != this && target->Reflect(message, wParam, lParam, result);
}

LRESULT Container::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, result)) return result;
  if (message == WM_SIZE) {
    const LRESULT passed = Control::WindowProc(message, wParam, lParam);
    // A minimised window shows none of its layout; it is placed again when
    // it is restored.
    if (wParam != SIZE_MINIMIZED) Realign();
    return passed;
  }
  return Control::WindowProc(message, wParam, lParam);
}

}  // namespace toolkit
