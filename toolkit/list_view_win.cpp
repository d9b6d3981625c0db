#include "list_view_win.h"

#include "image_list_win.h"

namespace toolkit {

ListView::ListView(Component& owner, Container& parent, const Design& design)
    : Control(&owner, &parent, design, false),
      OnDblClick(design.OnDblClick),
      OnChange(design.OnChange),
      columns_(static_cast<int>(design.Columns.size())),
      columnDesign_(design.Columns),
      images_(design.Images) {
  Placed();
}

void ListView::CreateHandle() {
  CreateChild(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE,
              L"");
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_DOUBLEBUFFER);
  int index = 0;
  for (const Column& column : columnDesign_) {
    std::wstring caption = column.Caption;
    LVCOLUMNW column_info{};
    column_info.mask = LVCF_TEXT | LVCF_WIDTH;
    column_info.pszText = caption.data();
    column_info.cx = Scale(column.Width);
    ListView_InsertColumn(Handle(), index++, &column_info);
  }
  columnsDpi_ = Dpi();
  if (images_) {
    ListView_SetImageList(Handle(), images_->Handle(), LVSIL_SMALL);
    ListView_SetImageList(Handle(), images_->Handle(), LVSIL_NORMAL);
  }
  for (const Row& row : rows_) InsertItem(row.caption, row.subItems, row.image);
  rows_.clear();
}

// Columns keep their widths, the user's too, in the new DPI's pixels; by way
// of designed pixels, so that a run of changes adds up no rounding.
void ListView::ApplyFont() {
  Control::ApplyFont();
  if (images_ && HandleAllocated() && images_->FollowDpi(Dpi())) {
    ListView_SetImageList(Handle(), images_->Handle(), LVSIL_SMALL);
    ListView_SetImageList(Handle(), images_->Handle(), LVSIL_NORMAL);
  }
  if (!columnsDpi_ || columnsDpi_ == Dpi()) return;
  for (int column = 0; column < columns_; ++column)
    ListView_SetColumnWidth(Handle(), column,
                            Scale(UnscaleLength(ListView_GetColumnWidth(Handle(), column), columnsDpi_)));
  columnsDpi_ = Dpi();
}

int ListView::ColumnWidth(int column) const { return UnscaleLength(ListView_GetColumnWidth(Handle(), column), Dpi()); }

void ListView::SetColumnWidth(int column, int width) { ListView_SetColumnWidth(Handle(), column, Scale(width)); }

int ListView::AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems, int image) {
  if (HandleAllocated()) return InsertItem(caption, subItems, image);
  rows_.push_back({caption, subItems, image});
  return static_cast<int>(rows_.size()) - 1;
}

int ListView::InsertItem(const std::wstring& caption, const std::vector<std::wstring>& subItems, int image) {
  std::wstring text = caption;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = ItemCount();
  item.pszText = text.data();
  item.iImage = image;
  const int index = ListView_InsertItem(Handle(), &item);
  for (std::size_t i = 0; i < subItems.size(); ++i) {
    std::wstring sub = subItems[i];
    ListView_SetItemText(Handle(), index, static_cast<int>(i) + 1, sub.data());
  }
  return index;
}

void ListView::DeleteItem(int item) { ListView_DeleteItem(Handle(), item); }

void ListView::Clear() { ListView_DeleteAllItems(Handle()); }

int ListView::ItemCount() const {
  return HandleAllocated() ? ListView_GetItemCount(Handle()) : static_cast<int>(rows_.size());
}

std::wstring ListView::ItemText(int item, int column) const {
  wchar_t text[512] = L"";
  ListView_GetItemText(Handle(), item, column, text, 512);
  return text;
}

int ListView::SelectedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void ListView::SetSelectedIndex(int index) {
  ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (index >= 0) ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool ListView::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == NM_DBLCLK) {
      Raise(OnDblClick);
    } else if (header->code == LVN_ITEMCHANGED) {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        Raise(OnChange);
    }
    result = 0;
    return true;
  }
  return Control::Reflect(message, wParam, lParam, result);
}

}  // namespace toolkit
