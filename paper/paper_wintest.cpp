// The paper list on frmMain and the paper editor frmEditPaper, with real
// windows, the in-process plug-in and the fake forms database; message boxes
// are answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver_channel.h"
#include "edit_paper_form_win.h"
#include "english_mode.h"
#include "fake_plugin_wintest.h"
#include "fake_spooler_forms.h"
#include "launch_win.h"
#include "main_form_win.h"
#include "paper_peers_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

struct ScriptedMessages : MessageBoxes {
  MessageAnswer answer = MessageAnswer::Ok;
  std::vector<MessageText> shown;
  MessageAnswer Show(const MessageText& message, MessageStyle) override {
    shown.push_back(message);
    return answer;
  }
};

PaperForm Form(const std::string& name, int32_t width, int32_t height, int32_t margin) {
  return {.Name = name, .Width = width, .Height = height, .Left = margin, .Top = margin,
          .Right = width - margin, .Bottom = height - margin};
}

class PaperWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plugin_ = new FakePluginWindow();
    Launch = {};
    Launch.DialogWindow = uint32_t(reinterpret_cast<uintptr_t>(plugin_->Handle()));
    frmMain = new TfrmMain();
    frmEditPaper = new TfrmEditPaper();
  }
  static void TearDownTestSuite() {
    ReplacePaperPeers(nullptr, nullptr);
    delete frmEditPaper;
    delete frmMain;
    delete plugin_;
  }
  void SetUp() override {
    db_.AddBuiltins(40);
    db_.forms.push_back(Form("Label 100x150", 100000, 150000, 2000));
    db_.forms.push_back(Form("Receipt", 57500, 30000, 0));
    ReplacePaperPeers(&db_, &messages_);
    plugin_->options = {{"MarginLeftDefaultMm", "mm2.0"}, {"MarginRightDefaultMm", "mm3.0"},
                        {"MarginTopDefaultMm", "mm1.5"}, {"MarginBottomDefaultMm", "mm0.5"}};
    plugin_->supported.clear();
    plugin_->paper = "42";
    plugin_->requests.clear();
  }
  std::vector<std::string> SelectPaperRequests() const {
    std::vector<std::string> sent;
    for (const auto& r : plugin_->requests)
      if (r.code == 5) sent.push_back(r.payload);
    return sent;
  }
  static std::vector<std::wstring> Items() {
    std::vector<std::wstring> items;
    for (int i = 0; i < frmMain->ComboBoxPaperNames->ItemCount(); ++i)
      items.push_back(frmMain->ComboBoxPaperNames->ItemText(i));
    return items;
  }

  static FakePluginWindow* plugin_;
  FakeSpoolerForms db_;
  ScriptedMessages messages_;
};
FakePluginWindow* PaperWindows::plugin_ = nullptr;

TEST_F(PaperWindows, ListShowsUserFormsAndSelectsTheDriversPaper) {
  TfrmMain& f = *frmMain;
  EXPECT_TRUE(f.ComboBoxPaperNames->Enabled());
  EXPECT_TRUE(f.SpeedButtonAddPaper->Enabled());
  f.FillPaperList();
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"Label 100x150", L"Receipt"}));
  EXPECT_EQ(f.ComboBoxPaperNames->ItemIndex(), 1) << "form 42 is the second listed form";
  EXPECT_TRUE(SelectPaperRequests().empty()) << "filling tells the driver nothing";
  plugin_->paper = "3";  // a built-in form
  f.FillPaperList();
  EXPECT_EQ(f.ComboBoxPaperNames->ItemIndex(), -1);
}

TEST_F(PaperWindows, PickingAPaperSendsItsFormNumber) {
  TfrmMain& f = *frmMain;
  f.FillPaperList();
  f.ComboBoxPaperNames->SetItemIndex(0);
  f.ComboBoxPaperNamesChange(*f.ComboBoxPaperNames);
  EXPECT_EQ(SelectPaperRequests(), std::vector<std::string>{"41"});
}

TEST_F(PaperWindows, ItemsGrowToFitBothLinesAndNeverShrink) {
  TfrmMain& f = *frmMain;
  f.FillPaperList();
  HDC dc = GetDC(f.ComboBoxPaperNames->Handle());
  auto height_of = [&](int points) {
    SelectObject(dc, f.CachedFont(points));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return int(metrics.tmHeight);
  };
  const int lines = height_of(12) + height_of(9);
  const int before = f.ComboBoxPaperNames->ItemHeight();
  toolkit::DrawItemArgs item{dc, {0, 0, 400, 10}, 0, false, false, RGB(255, 255, 255)};
  f.ComboBoxPaperNamesDrawItem(*f.ComboBoxPaperNames, item);
  EXPECT_EQ(f.ComboBoxPaperNames->ItemHeight(), std::max(before, lines));
  f.ComboBoxPaperNames->SetItemHeight(lines + 20);  // as after drawing at a larger scale
  f.ComboBoxPaperNamesDrawItem(*f.ComboBoxPaperNames, item);
  EXPECT_EQ(f.ComboBoxPaperNames->ItemHeight(), lines + 20);
  ReleaseDC(f.ComboBoxPaperNames->Handle(), dc);
}

TEST_F(PaperWindows, DeleteAsksAndCancelChangesNothing) {
  TfrmMain& f = *frmMain;
  f.FillPaperList();
  messages_.answer = MessageAnswer::Cancel;
  f.SpeedButtonDeletePaper->Click();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0], (MessageText{L"确定要删除纸张 [Receipt] 吗?", L"提示"}));
  EXPECT_NE(db_.Find("Receipt"), nullptr);
  EXPECT_TRUE(SelectPaperRequests().empty());
}

TEST_F(PaperWindows, DeletingTheLastEntrySelectsTheNewLastThenNothing) {
  TfrmMain& f = *frmMain;
  f.FillPaperList();
  messages_.answer = MessageAnswer::Ok;
  f.SpeedButtonDeletePaper->Click();  // "Receipt", the last entry
  EXPECT_EQ(db_.Find("Receipt"), nullptr);
  EXPECT_EQ(Items(), std::vector<std::wstring>{L"Label 100x150"});
  EXPECT_EQ(f.ComboBoxPaperNames->ItemIndex(), 0);
  EXPECT_EQ(SelectPaperRequests(), std::vector<std::string>{"41"});
  plugin_->requests.clear();
  f.SpeedButtonDeletePaper->Click();
  EXPECT_EQ(f.ComboBoxPaperNames->ItemCount(), 0);
  EXPECT_EQ(f.ComboBoxPaperNames->ItemIndex(), -1);
  EXPECT_TRUE(SelectPaperRequests().empty()) << "no paper left to tell";
  EXPECT_EQ(db_.open_printers, 0);
}

TEST_F(PaperWindows, NewPaperTakesTheDriversMarginsAndFocusesTheName) {
  TfrmEditPaper& e = *frmEditPaper;
  frmMain->FillPaperList();
  e.PrepareNewPaper({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_});
  EXPECT_EQ(e.Caption(), L"新建纸张");
  EXPECT_TRUE(e.LabeledEditName->Enabled());
  EXPECT_EQ(e.LabeledEditName->Text(), L"新建纸张");
  EXPECT_EQ(e.LabeledEditWidth->Text(), L"40.0");
  EXPECT_EQ(e.LabeledEditMarginLeft->Text(), L"2.0");
  EXPECT_EQ(e.LabeledEditMarginRight->Text(), L"3.0");
  EXPECT_EQ(e.LabeledEditMarginTop->Text(), L"1.5");
  EXPECT_EQ(e.LabeledEditMarginBottom->Text(), L"0.5");
  e.Show();
  EXPECT_EQ(GetFocus(), e.LabeledEditName->Handle());

  // A click into a number box selects its whole text.
  SendMessageW(e.LabeledEditHeight->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(e.LabeledEditHeight->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  DWORD start = 1, end = 0;
  SendMessageW(e.LabeledEditHeight->Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);

  e.LabeledEditName->SetText(L"Tag 40");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();
  ASSERT_NE(db_.Find("Tag 40"), nullptr);
  EXPECT_EQ(*db_.Find("Tag 40"), (PaperForm{.Name = "Tag 40", .Width = 40000, .Height = 40000, .Left = 2000,
                                            .Top = 1500, .Right = 37000, .Bottom = 39500}));
  EXPECT_EQ(frmMain->ComboBoxPaperNames->ItemText(frmMain->ComboBoxPaperNames->ItemIndex()), L"Tag 40");
  EXPECT_EQ(SelectPaperRequests(), std::vector<std::string>{"43"});
  EXPECT_EQ(e.ModalResult(), toolkit::mrOk);
  EXPECT_FALSE(e.Visible());
}

TEST_F(PaperWindows, EditLoadsTheFormLocksTheNameAndSavesInPlace) {
  TfrmEditPaper& e = *frmEditPaper;
  frmMain->FillPaperList();
  frmMain->ComboBoxPaperNames->SetItemIndex(0);
  e.LoadPaperForEdit({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_}, L"Label 100x150");
  EXPECT_EQ(e.Caption(), L"编辑纸张");
  EXPECT_FALSE(e.LabeledEditName->Enabled());
  EXPECT_EQ(e.LabeledEditHeight->Text(), L"150.0");
  EXPECT_EQ(e.LabeledEditMarginRight->Text(), L"2.0");
  e.Show();
  EXPECT_EQ(GetFocus(), e.LabeledEditWidth->Handle());
  e.LabeledEditWidth->SetText(L"101.5");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();
  EXPECT_EQ(db_.Find("Label 100x150")->Width, 101500);
  EXPECT_EQ(db_.Find("Label 100x150")->Right, 99500);
  EXPECT_EQ(frmMain->ComboBoxPaperNames->ItemIndex(), 1) << "the driver's paper, not the edited one";
  EXPECT_TRUE(SelectPaperRequests().empty());
  EXPECT_FALSE(e.Visible());
}

TEST_F(PaperWindows, EscCancelsTheEditorAndSavesNothing) {
  TfrmEditPaper& e = *frmEditPaper;
  frmMain->FillPaperList();
  frmMain->ComboBoxPaperNames->SetItemIndex(0);
  e.LoadPaperForEdit({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_}, L"Label 100x150");
  e.LabeledEditWidth->SetText(L"55.0");
  PostMessageW(e.LabeledEditWidth->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(e.ShowModal(), toolkit::mrCancel);
  EXPECT_EQ(db_.Find("Label 100x150")->Width, 100000);
}

TEST_F(PaperWindows, RefusedSavesKeepTheDialogAndTheOldForm) {
  TfrmEditPaper& e = *frmEditPaper;
  e.PrepareNewPaper({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_});
  e.Show();
  e.LabeledEditName->SetText(L"receipt");
  e.LabeledEditMarginTop->SetText(L"1..5");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();
  EXPECT_EQ(messages_.shown.back(), (MessageText{L"“上边距(mm)”不是有效的数字!", L"错误"}));
  EXPECT_EQ(e.ModalResult(), toolkit::mrNone);

  e.LabeledEditMarginTop->SetText(L"1.5");
  db_.refuse_set = true;
  messages_.answer = MessageAnswer::Yes;
  e.Button1->Click();
  EXPECT_EQ(messages_.shown.at(1), (MessageText{L"已有同名的纸张，要覆盖吗？", L"警告"}));
  EXPECT_EQ(messages_.shown.back(), (MessageText{L"创建纸张失败!!!", L"错误"}));
  EXPECT_EQ(*db_.Find("Receipt"), Form("Receipt", 57500, 30000, 0)) << "the user's paper survives";

  e.LabeledEditName->SetText(std::wstring(256, L'n'));
  db_.calls.clear();
  e.Button1->Click();
  EXPECT_TRUE(db_.calls.empty());
  EXPECT_NE(messages_.shown.back().Text.find(L"255"), std::wstring::npos);
  EXPECT_TRUE(e.Visible());
  e.Button2->Click();
  EXPECT_FALSE(e.Visible());
}

// Run again under German settings (decimal comma): the boxes are filled with
// a point and must be read back, with either separator.
class CommaLocale : public PaperWindows {};

TEST_F(CommaLocale, BoxesWithPointOrCommaAreSaved) {
  wchar_t separator[4] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
  if (std::wstring(separator) != L",") GTEST_SKIP() << "needs a locale with a decimal comma";
  TfrmEditPaper& e = *frmEditPaper;
  frmMain->FillPaperList();
  e.PrepareNewPaper({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_});
  e.Show();
  e.LabeledEditName->SetText(L"Tag 40");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();  // "40.0" as the dialog filled it
  EXPECT_TRUE(messages_.shown.empty()) << "no message for the dialog's own numbers";
  ASSERT_NE(db_.Find("Tag 40"), nullptr);
  EXPECT_EQ(db_.Find("Tag 40")->Width, 40000);
  EXPECT_EQ(db_.Find("Tag 40")->Right, 37000);

  e.LoadPaperForEdit({*frmMain->ComboBoxPaperNames, Driver(), Launch.PrinterName, db_, messages_}, L"Tag 40");
  e.Show();
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();  // Edit, then OK with nothing changed
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(e.ModalResult(), toolkit::mrOk);

  e.Show();
  e.LabeledEditWidth->SetText(L"40,0");
  e.LabeledEditHeight->SetText(L"52,5");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(db_.Find("Tag 40")->Width, 40000);
  EXPECT_EQ(db_.Find("Tag 40")->Height, 52500);

  e.Show();
  e.LabeledEditHeight->SetText(L"52,5.0");
  e.SetModalResult(toolkit::mrNone);
  e.Button1->Click();
  EXPECT_EQ(messages_.shown.size(), 1u) << "a number in neither form is still refused";
  EXPECT_EQ(db_.Find("Tag 40")->Height, 52500);
  e.Button2->Click();
}

// A driver that never answers, without waiting for it.
struct SilentTransport : DriverTransport {
  uint32_t now = 0;
  void Send(uint32_t, std::string_view) override {}
  void HandleOneMessage(uint32_t) override { now += 50; }
  uint32_t TickCount() override { return now; }
};

// Pictures of the dialog in the language that this system decides, for
// checking its layout by eye.
TEST(PaperEditorPicture, DialogInTheSystemLanguage) {
  EnglishMode = DecideEnglishModeFromSystem();
  TfrmEditPaper dialog;
  FakeSpoolerForms db;
  ScriptedMessages messages;
  SilentTransport transport;
  DriverChannel driver(transport);
  toolkit::Form host({.Name = L"host"});
  toolkit::ComboBox* list = toolkit::Make<toolkit::ComboBox>(host, {.Name = L"list"});
  dialog.PrepareNewPaper({*list, driver, "Velmo LT42", db, messages});
  EXPECT_EQ(dialog.LabeledEditMarginLeft->Text(), L"") << "no answer, no margin";
  for (toolkit::LabeledEdit* box : {dialog.LabeledEditMarginLeft, dialog.LabeledEditMarginRight,
                                    dialog.LabeledEditMarginTop, dialog.LabeledEditMarginBottom})
    box->SetText(L"2.0");
  dialog.Show();
  toolkit::test::PumpUntil([] { return false; }, 500);
  CreateDirectoryW(VELMO_SCREENSHOT_DIR, nullptr);
  const std::wstring file =
      std::wstring(VELMO_SCREENSHOT_DIR) + (IsEnglish() ? L"/edit_paper_en.bmp" : L"/edit_paper_zh.bmp");
  EXPECT_TRUE(toolkit::test::SaveWindowPicture(dialog.Handle(), file));
  EXPECT_EQ(dialog.LabeledEditName->EditLabel().Caption(), IsEnglish() ? L"Paper&Name: " : L"纸张名称(&N): ");
  EnglishMode = 0;
}

}  // namespace
}  // namespace velmo
