#include "page_control_win.h"

#include <algorithm>
#include <stdexcept>

#include "mnemonic.h"

namespace toolkit {

namespace {

Design SheetDesign(Design design) {
  design.Align = Align::Client;  // every sheet fills the page area
  design.Visible = false;        // the page control shows the active one
  return design;
}

}  // namespace

TabSheet::TabSheet(Component& owner, Container& parent, const Design& design)
    : Container(&owner, &parent, SheetDesign(design), true), tabVisible_(design.TabVisible) {
  if (!dynamic_cast<PageControl*>(&parent)) throw std::logic_error("a tab sheet belongs in a page control");
  Placed();
}

void TabSheet::CreateHandle() {
  CreateChild(nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Caption());
  if (Pages().ActivePage() == this)
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TabSheet::~TabSheet() { Pages().Forget(*this); }

PageControl& TabSheet::Pages() const { return static_cast<PageControl&>(*Parent()); }

void TabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_) return;
  if (visible) {
    tabVisible_ = true;
    Pages().ShowTab(*this);
  } else {
    const int index = Pages().TabIndexOf(*this);
    tabVisible_ = false;
    Pages().HideTab(*this, index);
  }
}

void TabSheet::SetCaption(const std::wstring& caption) {
  Container::SetCaption(caption);
  Pages().UpdateTabText(*this);
}

PageControl::PageControl(Component& owner, Container& parent, const Design& design)
    : Container(&owner, &parent, design, false), OnChange(design.OnChange) {
  Placed();
}

void PageControl::CreateHandle() {
  CreateChild(WC_TABCONTROLW,
              WS_CLIPCHILDREN | (Designed().FlatTabs ? TCS_BUTTONS | TCS_FLATBUTTONS : 0),
              WS_EX_CONTROLPARENT, L"");
  for (TabSheet* sheet : sheets_)
    if (sheet->TabVisible()) InsertTab(*sheet);
  if (active_ && active_->TabVisible()) TabCtrl_SetCurSel(Handle(), TabIndexOf(*active_));
}

std::wstring PageControl::SpokenOwnCaption() const {
  return active_ ? SpokenCaption(active_->Caption()) : std::wstring();
}

RECT PageControl::AlignArea() const {
  RECT area{};
  GetClientRect(Handle(), &area);
  TabCtrl_AdjustRect(Handle(), FALSE, &area);
  return area;
}

int PageControl::TabCount() const {
  if (HandleAllocated()) return TabCtrl_GetItemCount(Handle());
  return static_cast<int>(std::count_if(sheets_.begin(), sheets_.end(), [](TabSheet* s) { return s->TabVisible(); }));
}

int PageControl::TabIndexOf(const TabSheet& sheet) const {
  if (!sheet.TabVisible()) return -1;
  int index = 0;
  for (const TabSheet* each : sheets_) {
    if (each == &sheet) return index;
    if (each->TabVisible()) ++index;
  }
  return -1;
}

void PageControl::ChildAdded(Control& child) {
  auto* sheet = dynamic_cast<TabSheet*>(&child);
  if (!sheet) return Container::ChildAdded(child);
  sheets_.push_back(sheet);
  if (sheet->TabVisible()) ShowTab(*sheet);
  Realign();
}

void PageControl::InsertTab(TabSheet& sheet) {
  std::wstring text = sheet.Caption();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  TabCtrl_InsertItem(Handle(), TabIndexOf(sheet), &item);
}

void PageControl::ShowTab(TabSheet& sheet) {
  if (HandleAllocated()) InsertTab(sheet);
  if (!active_) SetActivePage(&sheet);
  else if (HandleAllocated()) TabCtrl_SetCurSel(Handle(), TabIndexOf(*active_));
  Realign();
}

void PageControl::HideTab(TabSheet& sheet, int index) {
  if (HandleAllocated()) TabCtrl_DeleteItem(Handle(), index);
  if (active_ != &sheet) {
    if (HandleAllocated() && active_) TabCtrl_SetCurSel(Handle(), TabIndexOf(*active_));
    return;
  }
  // The next sheet with a tab takes over, else the one before it.
  auto at = std::find(sheets_.begin(), sheets_.end(), &sheet);
  TabSheet* next = nullptr;
  for (auto it = at + 1; it != sheets_.end() && !next; ++it)
    if ((*it)->TabVisible()) next = *it;
  for (auto it = at; it != sheets_.begin() && !next; --it)
    if ((*(it - 1))->TabVisible()) next = *(it - 1);
  sheet.Hide();
  active_ = nullptr;
  if (next) SetActivePage(next);
}

void PageControl::Forget(TabSheet& sheet) noexcept {
  sheets_.erase(std::remove(sheets_.begin(), sheets_.end(), &sheet), sheets_.end());
  if (active_ == &sheet) active_ = nullptr;
}

void PageControl::UpdateTabText(TabSheet& sheet) {
  const int index = TabIndexOf(sheet);
  if (index < 0 || !HandleAllocated()) return;
  std::wstring text = sheet.Caption();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  TabCtrl_SetItem(Handle(), index, &item);
  Realign();
}

void PageControl::SetActivePage(TabSheet* sheet) {
  if (sheet == active_) return;
  if (active_) active_->Hide();
  active_ = sheet;
  if (!sheet) return;
  if (sheet->TabVisible() && HandleAllocated()) TabCtrl_SetCurSel(Handle(), TabIndexOf(*sheet));
  sheet->Show();
  if (sheet->HandleAllocated())
    SetWindowPos(sheet->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool PageControl::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
    const int chosen = TabCtrl_GetCurSel(Handle());
    for (TabSheet* sheet : sheets_) {
      if (TabIndexOf(*sheet) == chosen) SetActivePage(sheet);
    }
    Raise(OnChange);
    result = 0;
    return true;
  }
  return Container::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
