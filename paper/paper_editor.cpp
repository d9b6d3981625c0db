#include "paper_editor.h"

#include "paper_units.h"

namespace velmo {

namespace {

MessageText Localised(bool english, const wchar_t* english_text, const wchar_t* english_title,
                      const wchar_t* chinese_text, const wchar_t* chinese_title) {
  if (english) return {english_text, english_title};
  return {chinese_text, chinese_title};
}

// "宽度(mm): " names the box as "宽度(mm)".
std::wstring BoxName(std::wstring caption) {
  while (!caption.empty() && (caption.back() == L' ' || caption.back() == L':' || caption.back() == L'：'))
    caption.pop_back();
  return caption;
}

MessageText NotANumber(const std::wstring& caption, bool english) {
  const std::wstring name = BoxName(caption);
  if (english) return {L"\"" + name + L"\" is not a valid number!", L"Error"};
  return {L"“" + name + L"”不是有效的数字!", L"错误"};
}

MessageText NameTooLong(bool english) {
  return Localised(english, L"PaperName is too long (at most 255 bytes)!", L"Error",
                   L"纸张名称太长(最多255字节)!", L"错误");
}

// Checks the name and the boxes before the spooler is touched; tells the
// user what is wrong and gives nothing in that case.
std::optional<PaperForm> CheckedForm(const PaperDraft& draft, const PaperSaveContext& context) {
  if (draft.Name.size() > kMaxPaperNameBytes) {
    context.Messages.Show(NameTooLong(context.English), MessageStyle::Error);
    return std::nullopt;
  }
  auto form = PaperFormOf(draft.Name, draft.Boxes, draft.DecimalSeparator);
  if (const PaperBox* bad = std::get_if<PaperBox>(&form)) {
    context.Messages.Show(NotANumber(draft.BoxCaptions[*bad], context.English), MessageStyle::Error);
    return std::nullopt;
  }
  return std::get<PaperForm>(form);
}

}  // namespace

std::variant<PaperForm, PaperBox> PaperFormOf(const std::string& name, const PaperBoxTexts& boxes,
                                              wchar_t decimal_separator) {
  std::array<double, kPaperBoxCount> mm{};
  for (size_t box = 0; box < kPaperBoxCount; ++box) {
    const auto value = ParseNumber(boxes[box], decimal_separator);
    if (!value) return PaperBox(box);
    mm[box] = *value;
  }
  const auto width = Thousandths(mm[kWidthBox]);
  if (!width) return kWidthBox;
  const auto height = Thousandths(mm[kHeightBox]);
  if (!height) return kHeightBox;
  const auto left = Thousandths(mm[kMarginLeftBox]);
  if (!left) return kMarginLeftBox;
  const auto top = Thousandths(mm[kMarginTopBox]);
  if (!top) return kMarginTopBox;
  const auto right = InnerEdge(*width, mm[kMarginRightBox]);
  if (!right) return kMarginRightBox;
  const auto bottom = InnerEdge(*height, mm[kMarginBottomBox]);
  if (!bottom) return kMarginBottomBox;
  return PaperForm{.Flags = kFormUser, .Name = name, .Width = *width, .Height = *height,
                   .Left = *left, .Top = *top, .Right = *right, .Bottom = *bottom};
}

PaperBoxTexts BoxTextsOf(const PaperForm& form) {
  PaperBoxTexts texts;
  texts[kWidthBox] = MillimetreText(form.Width);
  texts[kHeightBox] = MillimetreText(form.Height);
  texts[kMarginLeftBox] = MillimetreText(form.Left);
  texts[kMarginTopBox] = MillimetreText(form.Top);
  texts[kMarginRightBox] = MillimetreText(int64_t{form.Width} - form.Right);
  texts[kMarginBottomBox] = MillimetreText(int64_t{form.Height} - form.Bottom);
  return texts;
}

std::wstring MarginFromDriverOption(std::string_view option) {
  if (option.size() <= 2) return {};
  option.remove_prefix(2);
  return std::wstring(option.begin(), option.end());
}

SaveResult SaveNewPaper(const PaperDraft& draft, const PaperSaveContext& context) {
  const auto form = CheckedForm(draft, context);
  if (!form) return SaveResult::KeptOpen;
  bool stored = false;
  {
    const auto printer = context.Spooler.Open(context.PrinterName);
    if (!printer) return SaveResult::KeptOpen;
    if (printer->Get(draft.Name)) {
      const MessageText ask = Localised(context.English, L"PaperName Exist, Overwrite?", L"Warning",
                                        L"已有同名的纸张，要覆盖吗？", L"警告");
      if (context.Messages.Show(ask, MessageStyle::AskYesNo) != MessageAnswer::Yes) return SaveResult::KeptOpen;
      stored = printer->Set(draft.Name, *form);
    } else {
      stored = printer->Add(*form);
    }
  }  // the printer is closed before the list is refilled
  if (!stored) {
    context.Messages.Show(
        Localised(context.English, L"Create Paper Fail!!!", L"Error", L"创建纸张失败!!!", L"错误"),
        MessageStyle::Error);
    return SaveResult::KeptOpen;
  }
  const int entry = EntryOfName(context.List.FillPaperList(), draft.Name);
  if (entry >= 0) context.List.SelectAndTellDriver(entry);
  return SaveResult::Saved;
}

SaveResult SaveEditedPaper(const PaperDraft& draft, const PaperSaveContext& context) {
  const auto form = CheckedForm(draft, context);
  if (!form) return SaveResult::KeptOpen;
  bool stored = false;
  {
    const auto printer = context.Spooler.Open(context.PrinterName);
    if (!printer) return SaveResult::KeptOpen;
    stored = printer->Set(draft.Name, *form);
  }
  if (!stored) {
    context.Messages.Show(Localised(context.English, L"Save Paper Fail!!!", L"Error", L"保存纸张失败!!!", L"错误"),
                          MessageStyle::Error);
    return SaveResult::KeptOpen;
  }
  context.List.FillPaperList();
  return SaveResult::Saved;
}

}  // namespace velmo
