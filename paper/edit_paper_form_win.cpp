#include "edit_paper_form_win.h"

#include "driver_channel.h"
#include "english_mode.h"
#include "label_win.h"
#include "mnemonic.h"
#include "text_win.h"
#include "translate_form_win.h"

namespace velmo {

using namespace toolkit;

TfrmEditPaper* frmEditPaper = nullptr;

namespace {

// The decimal separator of the user's number format, as the boxes are read.
wchar_t DecimalSeparator() {
  wchar_t separator[4] = L".";
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
  return separator[0] ? separator[0] : L'.';
}

}  // namespace

TfrmEditPaper::TfrmEditPaper()
    : Form({.Name = L"frmEditPaper",
            .Caption = L"编辑纸张",
            .ClientWidth = 360,
            .ClientHeight = 262,
            .Border = BorderStyle::Dialog,
            .Position = FormPosition::ScreenCenter,
            .OnShow = Handler(&TfrmEditPaper::FormShow)}) {
  const NotifyEvent select_all = Handler(&TfrmEditPaper::LabeledEditWidthClick);
  auto number_box = [&](Container& parent, const wchar_t* name, const wchar_t* caption, int left, int top) {
    return Make<LabeledEdit>(parent, {.Name = name, .Caption = caption, .Bounds = {left, top, 65, 23},
                                      .OnClick = select_all});
  };
  LabeledEditName = Make<LabeledEdit>(*this, {.Name = L"LabeledEditName", .Caption = L"纸张名称(&N): ",
                                              .Bounds = {100, 16, 244, 23}});
  GroupBoxSize = Make<GroupBox>(*this, {.Name = L"GroupBoxSize", .Caption = L"纸张尺寸(&S)", .Bounds = {12, 52, 336, 62}});
  LabeledEditWidth = number_box(*GroupBoxSize, L"LabeledEditWidth", L"宽度(mm)(&W): ", 94, 26);
  LabeledEditHeight = number_box(*GroupBoxSize, L"LabeledEditHeight", L"高度(mm)(&H): ", 256, 26);
  GroupBoxMargin = Make<GroupBox>(*this, {.Name = L"GroupBoxMargin", .Caption = L"打印边距(&M)", .Bounds = {12, 124, 336, 92}});
  LabeledEditMarginLeft = number_box(*GroupBoxMargin, L"LabeledEditMarginLeft", L"左边距(mm)(&L): ", 94, 26);
  LabeledEditMarginRight = number_box(*GroupBoxMargin, L"LabeledEditMarginRight", L"右边距(mm)(&R): ", 256, 26);
  LabeledEditMarginTop = number_box(*GroupBoxMargin, L"LabeledEditMarginTop", L"上边距(mm)(&T): ", 94, 58);
  LabeledEditMarginBottom = number_box(*GroupBoxMargin, L"LabeledEditMarginBottom", L"下边距(mm)(&B): ", 256, 58);
  Button1 = Make<Button>(*this, {.Name = L"Button1", .Caption = L"确定(&O)", .Bounds = {184, 226, 78, 26},
                                 .Default = true, .OnClick = Handler(&TfrmEditPaper::Button1Click)});
  Button2 = Make<Button>(*this, {.Name = L"Button2", .Caption = L"取消(&C)", .Bounds = {270, 226, 78, 26},
                                 .Cancel = true, .OnClick = Handler(&TfrmEditPaper::Button2Click)});
  TranslateForm(this, OemuiTranslationTable());
}

LabeledEdit* TfrmEditPaper::Box(PaperBox box) const {
  LabeledEdit* const boxes[kPaperBoxCount] = {LabeledEditWidth,      LabeledEditHeight,   LabeledEditMarginLeft,
                                              LabeledEditMarginRight, LabeledEditMarginTop, LabeledEditMarginBottom};
  return boxes[box];
}

void TfrmEditPaper::SetBoxes(const PaperBoxTexts& texts) {
  for (size_t box = 0; box < kPaperBoxCount; ++box) Box(PaperBox(box))->SetText(texts[box]);
}

void TfrmEditPaper::LoadPaperForEdit(const PaperHost& host, const std::wstring& name) {
  host_.emplace(host);
  std::optional<PaperForm> form;
  {
    const auto printer = host.Spooler.Open(host.PrinterName);
    if (!printer) return;
    SetCaption(IsEnglish() ? L"Edit Paper" : L"编辑纸张");
    form = printer->Get(NarrowToAnsi(name));
  }
  if (!form) return;
  LabeledEditName->SetText(name);
  LabeledEditName->SetEnabled(false);
  SetBoxes(BoxTextsOf(*form));
}

void TfrmEditPaper::PrepareNewPaper(const PaperHost& host) {
  host_.emplace(host);
  const wchar_t* title = IsEnglish() ? L"New Paper" : L"新建纸张";
  SetCaption(title);
  LabeledEditName->SetEnabled(true);
  LabeledEditName->SetText(title);
  LabeledEditWidth->SetText(L"40.0");
  LabeledEditHeight->SetText(L"40.0");
  const std::pair<const char*, LabeledEdit*> margins[] = {{"MarginLeftDefaultMm", LabeledEditMarginLeft},
                                                          {"MarginRightDefaultMm", LabeledEditMarginRight},
                                                          {"MarginTopDefaultMm", LabeledEditMarginTop},
                                                          {"MarginBottomDefaultMm", LabeledEditMarginBottom}};
  for (const auto& [keyword, box] : margins) box->SetText(MarginFromDriverOption(host.Driver.GetFeatureOption(keyword)));
}

void TfrmEditPaper::FormShow(Component&) {
  (LabeledEditName->Enabled() ? LabeledEditName : LabeledEditWidth)->SetFocus();
}

void TfrmEditPaper::LabeledEditWidthClick(Component& Sender) { static_cast<LabeledEdit&>(Sender).SelectAll(); }

void TfrmEditPaper::Button1Click(Component&) {
  if (!host_) return;
  PaperDraft draft;
  draft.Name = NarrowToAnsi(LabeledEditName->Text());
  draft.DecimalSeparator = DecimalSeparator();
  for (size_t box = 0; box < kPaperBoxCount; ++box) {
    draft.Boxes[box] = Box(PaperBox(box))->Text();
    draft.BoxCaptions[box] = SpokenCaption(Box(PaperBox(box))->EditLabel().Caption());
  }
  PaperList list(*host_);
  const PaperSaveContext context{host_->Spooler, host_->PrinterName, host_->Messages, list, IsEnglish()};
  const SaveResult result = LabeledEditName->Enabled() ? SaveNewPaper(draft, context) : SaveEditedPaper(draft, context);
  if (result != SaveResult::Saved) return;
  SetModalResult(mrOk);
  Close();
}

void TfrmEditPaper::Button2Click(Component&) { Close(); }

}  // namespace velmo
