#include "combo_box_win.h"

#include "error_box_win.h"
#include "form_win.h"

namespace toolkit {

namespace {

constexpr int kDroppedHeight = 200;  // room for the dropped-down list, 96-DPI pixels

}  // namespace

ComboBox::ComboBox(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false), OnChange(design.OnChange), OnDrawItem(design.OnDrawItem) {
  Designed().Bounds.Height += kDroppedHeight;
  items_ = design.Items;
  SetItemIndex(design.ItemIndex);
  Placed();
}

void ComboBox::CreateHandle() {
  CreateChild(WC_COMBOBOXW, WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS |
                                 (Designed().OwnerDraw ? CBS_OWNERDRAWFIXED : 0), 0,
              L"");
  if (Designed().OwnerDraw)  // the closed face is as tall as the items, so it shows what they show
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight());
  for (const auto& item : items_) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(Handle(), CB_SETCURSEL, itemIndex_, 0);
  items_.clear();
}

int ComboBox::ItemCount() const {
  if (!HandleAllocated()) return static_cast<int>(items_.size());
  return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
}

std::wstring ComboBox::ItemText(int index) const {
  if (!HandleAllocated()) return index >= 0 && index < ItemCount() ? items_[static_cast<std::size_t>(index)] : L"";
  const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(length + 1, L'\0');
  SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

void ComboBox::AddItem(const std::wstring& text) {
  if (!HandleAllocated()) return items_.push_back(text);
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::SetItems(const std::vector<std::wstring>& items) {
  if (!HandleAllocated()) {
    items_ = items;
    itemIndex_ = -1;
    return;
  }
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  ClearItems();
  for (const auto& item : items) AddItem(item);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

void ComboBox::ClearItems() {
  if (!HandleAllocated()) {
    items_.clear();
    itemIndex_ = -1;
    return;
  }
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

int ComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void ComboBox::SetItemIndex(int index) {
  // As the list does: an index outside the items selects nothing.
  if (!HandleAllocated()) itemIndex_ = index >= 0 && index < ItemCount() ? index : -1;
  else SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

int ComboBox::ItemHeight() const { return static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0)); }

void ComboBox::SetItemHeight(int pixels) {
  if (!Designed().OwnerDraw || !HandleAllocated() || pixels <= ItemHeight()) return;
  PutItemHeight(pixels);
}

void ComboBox::PutItemHeight(int pixels) {
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, pixels);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pixels);
  Invalidate();
}

int ComboBox::InitialItemHeight() const {
  if (Designed().ItemHeight > 0) return Scale(Designed().ItemHeight);
  return MulDiv(FontPoints(), Dpi(), 72) + Scale(6);
}

void ComboBox::ApplyFont() {
  Control::ApplyFont();
  // At a new DPI or font the items start again from their designed height,
  // smaller too; drawing them grows them to what they show.
  if (Designed().OwnerDraw && HandleAllocated()) PutItemHeight(InitialItemHeight());
}

void ComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  DrawItemArgs args{dc, item.rcItem, static_cast<int>(item.itemID), selected,
                    (item.itemState & ODS_COMBOBOXEDIT) != 0,
                    selected ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_WINDOW)};
  const int saved = SaveDC(dc);
  SelectObject(dc, Font());
  SetBkColor(dc, args.Background);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HBRUSH fill = OwnerForm().CachedBrush(args.Background);
  if (args.Index < 0) {
    FillRect(dc, &item.rcItem, fill);
  } else if (OnDrawItem) {
    Guarded([&] { OnDrawItem(*this, args); });
  } else {
    FillRect(dc, &item.rcItem, fill);
    RECT text = item.rcItem;
    text.left += Scale(2);
    const std::wstring caption = ItemText(args.Index);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  RestoreDC(dc, saved);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

bool ComboBox::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE) Raise(OnChange);
      return true;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = InitialItemHeight();
      result = TRUE;
      return true;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
  }
  return Control::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
