#include "paper_list_win.h"

#include "driver_channel.h"
#include "english_mode.h"
#include "text_win.h"
#include "theme_win.h"

namespace velmo {

namespace {

// Writes one line at (x, y) in the font of `points` and returns its height.
int WriteLine(HDC dc, HFONT font, int x, int y, const std::wstring& text) {
  SelectObject(dc, font);
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

}  // namespace

const PaperLists& PaperList::FillPaperList() {
  EnumPaperForms(host_.Spooler, host_.PrinterName, Papers);
  std::vector<std::wstring> items;
  for (const std::string& name : Papers.PaperNames) items.push_back(WidenAnsi(name));
  host_.List.SetItems(items);
  const int current = host_.Driver.GetPaperIndex(host_.PrinterName);
  host_.List.SetItemIndex(-1);
  const int entry = EntryOfFormNumber(Papers, current);
  host_.List.SetItemIndex(entry);
  if (entry < 0) host_.List.Invalidate();  // the face shows no paper
  return Papers;
}

void PaperList::SelectAndTellDriver(int entry) {
  host_.List.SetItemIndex(entry);
  Change();
}

void PaperList::Change() {
  const int entry = host_.List.ItemIndex();
  if (entry < 0) return;
  host_.Driver.SelectPaper(FormNumberOf(Papers, entry));
}

void PaperList::DrawItem(toolkit::DrawItemArgs& item) {
  HDC dc = item.Canvas;
  HBRUSH fill = CreateSolidBrush(item.Background);
  FillRect(dc, &item.Rect, fill);
  DeleteObject(fill);
  if (item.Index < 0 || item.Index >= Papers.Count()) return;
  toolkit::Form& form = host_.List.OwnerForm();
  const auto scaled = [&form](int pixels) { return MulDiv(pixels, form.Dpi(), 96); };
  SetBkMode(dc, TRANSPARENT);
  const size_t index = static_cast<size_t>(item.Index);
  const int h1 = WriteLine(dc, form.CachedFont(12), item.Rect.left + scaled(6), item.Rect.top,
                           WidenAnsi(Papers.PaperNames[index]));
  SetTextColor(dc, toolkit::SecondaryTextColor(item.Selected));
  const int h2 = WriteLine(dc, form.CachedFont(9), item.Rect.left + scaled(16), item.Rect.top + h1,
                           WidenAnsi(Papers.PaperSizes[index]));
  host_.List.SetItemHeight(h1 + h2);
}

void PaperList::DeleteSelected() {
  const int entry = host_.List.ItemIndex();
  if (entry < 0 || entry >= Papers.Count()) return;
  const std::string name = Papers.PaperNames[static_cast<size_t>(entry)];
  if (host_.Messages.Show(DeleteConfirmation(WidenAnsi(name), IsEnglish()), MessageStyle::ConfirmOkCancel) !=
      MessageAnswer::Ok)
    return;
  {
    const auto printer = host_.Spooler.Open(host_.PrinterName);
    if (!printer) return;
    // A form the spooler keeps (in use, built in) stays listed after the refill.
    static_cast<void>(printer->Delete(name));
  }
  FillPaperList();
  SelectAndTellDriver(EntryAfterDeletion(entry, host_.List.ItemCount()));
}

}  // namespace velmo
