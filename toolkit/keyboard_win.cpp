#include "keyboard_win.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "button_win.h"
#include "form_win.h"
#include "label_win.h"
#include "mnemonic.h"
#include "page_control_win.h"

namespace toolkit {

namespace {

bool Reachable(const Control& control) {
  return control.Visible() && control.Enabled() && control.HandleAllocated() &&
         IsWindowVisible(control.Handle()) && IsWindowEnabled(control.Handle());
}

// Every reachable control in design order, depth first; `stops` gets the tab stops among them.
void Walk(Container& parent, std::vector<Control*>& all, std::vector<Control*>* stops) {
  for (Control* control : parent.Children()) {
    if (!Reachable(*control)) continue;
    all.push_back(control);
    if (stops && control->TakesTabStop()) stops->push_back(control);
    if (auto* pages = dynamic_cast<PageControl*>(control)) {
      if (TabSheet* active = pages->ActivePage(); active && Reachable(*active)) {
        all.push_back(active);
        Walk(*active, all, stops);
      }
    } else if (auto* inner = dynamic_cast<Container*>(control)) {
      Walk(*inner, all, stops);
    }
  }
}

// The toolkit control that has the focus (or holds the window that has it).
Control* FocusedControl(Form& form) {
  for (HWND window = GetFocus(); window && window != form.Handle(); window = GetParent(window)) {
    if (Control* control = Control::FromHandle(window)) return control;
  }
  return nullptr;
}

bool Embedded(const Form& form) { return (GetWindowLongW(form.Handle(), GWL_STYLE) & WS_CHILD) != 0; }

HWND HostRoot(const Form& form) { return GetAncestor(GetParent(form.Handle()), GA_ROOT); }

// Tab at an end of an embedded form's ring goes on to the host's next control.
bool HandToHost(Form& form, bool backward) {
  HWND host = HostRoot(form);
  if (!host) return false;
  HWND next = GetNextDlgTabItem(host, form.Handle(), backward);
  if (!next || next == form.Handle() || IsChild(form.Handle(), next)) return false;
  SetFocus(next);
  return true;
}

bool MoveAlongRing(Form& form, bool backward) {
  std::vector<Control*> all, stops;
  Walk(form, all, &stops);
  if (stops.empty()) return false;
  std::unordered_map<Control*, size_t> order;
  for (size_t i = 0; i < all.size(); ++i) order[all[i]] = i;
  Control* focused = FocusedControl(form);
  const auto at = focused ? order.find(focused) : order.end();
  Control* next = nullptr;
  if (at != order.end()) {
    const size_t here = at->second;
    if (backward) {
      for (auto it = stops.rbegin(); it != stops.rend() && !next; ++it)
        if (order[*it] < here) next = *it;
    } else {
      for (Control* stop : stops)
        if (order[stop] > here) {
          next = stop;
          break;
        }
    }
    if (!next && Embedded(form) && HandToHost(form, backward)) return true;
  }
  if (!next) next = backward ? stops.back() : stops.front();
  form.FocusByKeyboard(*next);
  return true;
}

bool MoveInRadioGroup(Form& form, RadioButton& radio, bool backward) {
  std::vector<RadioButton*> group = radio.Group();
  std::erase_if(group, [&radio](RadioButton* r) { return r != &radio && !Reachable(*r); });
  const auto at = std::find(group.begin(), group.end(), &radio) - group.begin();
  const auto count = static_cast<ptrdiff_t>(group.size());
  RadioButton* next = group[static_cast<size_t>((at + (backward ? count - 1 : 1)) % count)];
  form.FocusByKeyboard(*next);
  next->SetChecked(true);
  return true;
}

PageControl* PagesAround(Form& form) {
  for (Control* control = FocusedControl(form); control; control = control->Parent())
    if (auto* pages = dynamic_cast<PageControl*>(control)) return pages;
  std::vector<Control*> all;
  Walk(form, all, nullptr);
  for (Control* control : all)
    if (auto* pages = dynamic_cast<PageControl*>(control)) return pages;
  return nullptr;
}

bool SwitchPage(Form& form, bool backward) {
  PageControl* pages = PagesAround(form);
  if (!pages) return false;
  std::vector<TabSheet*> tabs;
  for (TabSheet* sheet : pages->Sheets())
    if (sheet->TabVisible() && sheet->Enabled()) tabs.push_back(sheet);
  if (tabs.empty()) return false;
  const auto at = std::find(tabs.begin(), tabs.end(), pages->ActivePage());
  const auto count = static_cast<ptrdiff_t>(tabs.size());
  const ptrdiff_t index = at == tabs.end() ? 0 : (at - tabs.begin() + (backward ? count - 1 : 1)) % count;
  Control* focused = FocusedControl(form);
  pages->SetActivePage(tabs[static_cast<size_t>(index)]);
  if (pages->OnChange) pages->OnChange(*pages);
  // The focus does not stay in a sheet that was hidden.
  if (!focused || !Reachable(*focused)) form.FocusByKeyboard(*pages);
  return true;
}

bool IsButtonWindow(const Control& control) {
  wchar_t name[16] = L"";
  GetClassNameW(control.Handle(), name, 16);
  return lstrcmpiW(name, WC_BUTTONW) == 0;
}

// Alt+key: a button is pressed, a tab page shown, and a label's or a row's
// key moves the focus to the field that follows it.
bool RunMnemonic(Form& form, wchar_t key) {
  std::vector<Control*> all, stops;
  Walk(form, all, &stops);
  key = static_cast<wchar_t>(std::towupper(key));
  for (size_t i = 0; i < all.size(); ++i) {
    Control* control = all[i];
    if (!control->HasCaption() || MnemonicOf(control->Caption()) != key) continue;
    if (auto* radio = dynamic_cast<RadioButton*>(control)) {
      form.FocusByKeyboard(*radio);
      radio->SetChecked(true);
    } else if (auto* sheet = dynamic_cast<TabSheet*>(control)) {
      sheet->Pages().SetActivePage(sheet);
      if (sheet->Pages().OnChange) sheet->Pages().OnChange(sheet->Pages());
      form.FocusByKeyboard(sheet->Pages());
    } else if (control->TakesTabStop()) {
      form.FocusByKeyboard(*control);
      if (IsButtonWindow(*control)) SendMessageW(control->Handle(), BM_CLICK, 0, 0);
      else if (auto* link = dynamic_cast<Label*>(control)) link->Click();
    } else {
      const auto next = std::find_if(all.begin() + static_cast<ptrdiff_t>(i) + 1, all.end(),
                                     [&stops](Control* c) { return std::count(stops.begin(), stops.end(), c) > 0; });
      if (next == all.end()) continue;
      form.FocusByKeyboard(**next);
    }
    return true;
  }
  return false;
}

bool Pressed(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

std::vector<Control*> TabRing(Container& root) {
  std::vector<Control*> all, stops;
  Walk(root, all, &stops);
  return stops;
}

bool PassToHost(Form& form, WPARAM key) {
  HWND host = Embedded(form) ? HostRoot(form) : nullptr;
  if (!host) return false;
  // Posted, and asked with a time limit: a busy host does not hold up our window.
  int command = key == VK_ESCAPE ? IDCANCEL : IDOK;
  DWORD_PTR defaultId = 0;
  if (key == VK_RETURN &&
      SendMessageTimeoutW(host, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 1000, &defaultId) &&
      HIWORD(defaultId) == DC_HASDEFID)
    command = LOWORD(defaultId);
  HWND button = GetDlgItem(host, command);
  if (button && !IsWindowEnabled(button)) return true;
  PostMessageW(host, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

bool HandleNavigationKey(Form& form, const MSG& message) {
  if (message.hwnd != form.Handle() && !IsChild(form.Handle(), message.hwnd)) return false;
  if (message.message == WM_SYSCHAR) return RunMnemonic(form, static_cast<wchar_t>(message.wParam));
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  if (!keyDown) return false;
  const bool ctrl = Pressed(VK_CONTROL), shift = Pressed(VK_SHIFT);
  switch (message.wParam) {
    case VK_TAB:
      return ctrl ? SwitchPage(form, shift) : MoveAlongRing(form, shift);
    case VK_NEXT:
    case VK_PRIOR:
      return ctrl && SwitchPage(form, message.wParam == VK_PRIOR);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (auto* radio = dynamic_cast<RadioButton*>(FocusedControl(form)))
        return MoveInRadioGroup(form, *radio, message.wParam == VK_LEFT || message.wParam == VK_UP);
      return false;
    case VK_SPACE:
    case VK_RETURN:
      if (auto* link = dynamic_cast<Label*>(FocusedControl(form)); link && link->TakesTabStop()) {
        link->Click();
        return true;
      }
      return false;
    case VK_APPS:
    case VK_F10:
      if (message.wParam == VK_F10 && !shift) return false;
      if (HWND focus = GetFocus(); focus && IsChild(form.Handle(), focus)) {
        SendMessageW(focus, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(focus), MAKELPARAM(-1, -1));
        return true;
      }
      return false;
  }
  return false;
}

}  // namespace toolkit
