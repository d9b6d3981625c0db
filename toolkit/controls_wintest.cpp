// Control events raised by real window messages on the gallery form.
#include <gtest/gtest.h>

#include <memory>

#include "gallery_form_win.h"
#include "wintest_support_win.h"

namespace toolkit {
namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TfrmGallery>();
    form->Show();
    ProcessMessages();
  }
  std::unique_ptr<TfrmGallery> form;
};

int CheckState(const Control& control) {
  return static_cast<int>(SendMessageW(control.Handle(), BM_GETCHECK, 0, 0));
}

TEST_F(Controls, ButtonClickRunsHandlerWithItselfAsSender) {
  Component* sender = nullptr;
  int clicks = 0;
  form->ButtonCancel->OnClick = [&](Component& s) {
    sender = &s;
    ++clicks;
  };
  SendMessageW(form->ButtonCancel->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(sender, form->ButtonCancel);
  EXPECT_EQ(form->ModalResult(), mrCancel);  // its designed modal result
}

TEST_F(Controls, EnterPressesTheDefaultButton) {
  int installs = 0;
  form->ButtonInstall->OnClick = [&](Component&) { ++installs; };
  form->PageControlPrint->SetActivePage(form->TabSheetNet);
  form->LabeledEditLanNetmask->SetFocus();
  ASSERT_EQ(GetFocus(), form->LabeledEditLanNetmask->Handle());
  PostMessageW(form->LabeledEditLanNetmask->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(test::PumpUntil([&] { return installs == 1; }));
}

TEST_F(Controls, EscPressesTheCancelButtonButFirstClosesAnOpenList) {
  int cancels = 0;
  form->ButtonCancel->OnClick = [&](Component&) { ++cancels; };
  form->ComboBoxZoom->SetFocus();
  SendMessageW(form->ComboBoxZoom->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  PostMessageW(form->ComboBoxZoom->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(test::PumpUntil([&] { return SendMessageW(form->ComboBoxZoom->Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0; }));
  EXPECT_EQ(cancels, 0) << "the first Esc closes the list only";
  form->PageControlPrint->SetActivePage(form->TabSheetNet);
  form->LabeledEditLanNetmask->SetFocus();
  PostMessageW(form->LabeledEditLanNetmask->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(test::PumpUntil([&] { return cancels == 1; }));
}

TEST_F(Controls, CheckBoxClickAndProgrammaticChangeBothRunOnClick) {
  int clicks = 0;
  form->CheckBoxAutoFeed->OnClick = [&](Component&) { ++clicks; };
  SendMessageW(form->CheckBoxAutoFeed->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form->CheckBoxAutoFeed->Checked());
  EXPECT_EQ(CheckState(*form->CheckBoxAutoFeed), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
  form->CheckBoxAutoFeed->SetChecked(false);
  EXPECT_EQ(CheckState(*form->CheckBoxAutoFeed), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
  form->CheckBoxAutoFeed->SetChecked(false);  // no change, no click
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, RadioButtonsAreExclusivePerParentAndClickWhenBecomingChecked) {
  std::vector<Component*> clicked;
  auto record = [&](Component& sender) { clicked.push_back(&sender); };
  form->RadioButtonPrintModeNormal->OnClick = record;
  form->RadioButtonPrintModeFast->OnClick = record;
  form->RadioButtonPrintModePrecise->OnClick = record;

  SendMessageW(form->RadioButtonPrintModeFast->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form->RadioButtonPrintModeFast->Checked());
  EXPECT_FALSE(form->RadioButtonPrintModeNormal->Checked());
  EXPECT_EQ(CheckState(*form->RadioButtonPrintModeNormal), BST_UNCHECKED);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], form->RadioButtonPrintModeFast);

  SendMessageW(form->RadioButtonPrintModeFast->Handle(), BM_CLICK, 0, 0);  // already checked
  EXPECT_EQ(clicked.size(), 1u);

  // Checking from code runs the handler too: the installer relies on it.
  form->RadioButtonPrintModePrecise->SetChecked(true);
  ASSERT_EQ(clicked.size(), 2u);
  EXPECT_EQ(clicked[1], form->RadioButtonPrintModePrecise);
  EXPECT_EQ(CheckState(*form->RadioButtonPrintModeFast), BST_UNCHECKED);
  EXPECT_EQ(CheckState(*form->RadioButtonPrintModePrecise), BST_CHECKED);

  form->RadioButtonPrintModePrecise->SetChecked(false);  // unchecking runs nothing
  EXPECT_EQ(clicked.size(), 2u);

  // Radio buttons of other parents keep their state.
  EXPECT_TRUE(form->RadioButtonRotate0->Checked());
  EXPECT_TRUE(form->RadioButtonPageMarkLabel->Checked());
  EXPECT_TRUE(form->RadioButtonHalftoneDither->Checked());
}

TEST_F(Controls, TrackBarRaisesChangeForEveryPositionChange) {
  TrackBar& bar = *form->TrackBarBlacknessAdjust;
  std::vector<int> seen;
  bar.OnChange = [&](Component&) { seen.push_back(bar.Position()); };
  SendMessageW(bar.Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // the track bar notifies its parent
  SendMessageW(bar.Handle(), WM_KEYUP, VK_RIGHT, 0);
  SendMessageW(bar.Handle(), WM_KEYDOWN, VK_NEXT, 0);   // a page: 10
  SendMessageW(bar.Handle(), WM_KEYUP, VK_NEXT, 0);
  bar.SetPosition(57);
  bar.SetPosition(57);  // unchanged: no event
  bar.SetMax(40);       // pushes the position to 40
  EXPECT_EQ(seen, (std::vector<int>{51, 61, 57, 40}));

  TrackBar& darkness = *form->TrackBarDarkness;
  std::vector<int> darknessSeen;
  darkness.OnChange = [&](Component&) { darknessSeen.push_back(darkness.Position()); };
  darkness.SetMin(-4);
  darkness.SetMax(4);
  darkness.SetPosition(-5);
  EXPECT_EQ(darkness.Min(), -4);
  EXPECT_EQ(darknessSeen, (std::vector<int>{-4}));
}

TEST_F(Controls, ComboBoxChangeOnUserPickOnlyAndOwnerDrawnHeightOnlyGrows) {
  ComboBox& zoom = *form->ComboBoxZoom;
  ASSERT_EQ(zoom.ItemCount(), 21);
  EXPECT_EQ(zoom.ItemText(10), L"100%");
  EXPECT_EQ(zoom.ItemIndex(), -1);
  int changes = 0;
  zoom.OnChange = [&](Component&) { ++changes; };
  zoom.SetItemIndex(10);
  EXPECT_EQ(changes, 0);
  SendMessageW(zoom.Handle(), WM_KEYDOWN, VK_DOWN, 0);  // the user's pick
  EXPECT_EQ(zoom.ItemIndex(), 11);
  EXPECT_EQ(changes, 1);

  ComboBox& papers = *form->ComboBoxPaperNames;
  EXPECT_EQ(papers.ItemHeight(), 36);  // as designed at 96 DPI
  papers.SetItemHeight(20);
  EXPECT_EQ(papers.ItemHeight(), 36);
  // A drawing handler that needs more room grows every item.
  int drawn = 0;
  papers.OnDrawItem = [&](Component&, DrawItemArgs& item) {
    ++drawn;
    EXPECT_EQ(item.Index, papers.ItemIndex());
    papers.SetItemHeight(44);
  };
  RedrawWindow(papers.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(papers.ItemHeight(), 44);
  // Fonts changing afterwards do not shrink it.
  form->SetFontName(L"Tahoma");
  EXPECT_EQ(papers.ItemHeight(), 44);
}

TEST_F(Controls, ListViewRowsAndDoubleClick) {
  form->PageControlPrint->SetActivePage(form->TabSheetPrinters);
  ListView& list = *form->ListView1;
  ASSERT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.ItemText(1, 0), L"Velmo LT42 (网络)");
  EXPECT_EQ(list.ItemText(1, 1), L"192.168.1.20");
  EXPECT_EQ(list.ColumnWidth(0), 200);
  list.SetColumnWidth(1, list.Width() - list.ColumnWidth(0) - 16);
  EXPECT_EQ(list.ColumnWidth(1), list.Width() - 216);

  int doubleClicks = 0, selections = 0;
  list.OnDblClick = [&](Component&) { ++doubleClicks; };
  list.OnChange = [&](Component&) { ++selections; };
  RECT row{};
  ListView_GetItemRect(list.Handle(), 1, &row, LVIR_LABEL);
  const LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
  SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(list.SelectedIndex(), 1);
  EXPECT_GE(selections, 1);
  EXPECT_EQ(doubleClicks, 1);
  list.Clear();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.SelectedIndex(), -1);
}

std::wstring TabText(const PageControl& pages, int index) {
  wchar_t text[64] = L"";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  TabCtrl_GetItem(pages.Handle(), index, &item);
  return text;
}

TEST_F(Controls, HiddenTabComesBackAtItsPlace) {
  PageControl& pages = *form->PageControlPrint;
  ASSERT_EQ(pages.TabCount(), 3);
  EXPECT_EQ(pages.ActivePage(), form->TabSheetPrint);
  EXPECT_TRUE(IsWindowVisible(form->TabSheetPrint->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->TabSheetNet->Handle()));

  form->TabSheetNet->SetTabVisible(false);
  EXPECT_EQ(pages.TabCount(), 2);
  EXPECT_EQ(TabText(pages, 1), L"搜索到的打印机");
  form->TabSheetNet->SetTabVisible(true);
  ASSERT_EQ(pages.TabCount(), 3);
  EXPECT_EQ(TabText(pages, 1), L"有线网络设置");
  EXPECT_EQ(TabText(pages, 2), L"搜索到的打印机");

  // A click on the tab shows its sheet, filling the page area.
  RECT tab{};
  TabCtrl_GetItemRect(pages.Handle(), 1, &tab);
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(pages.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(pages.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(pages.ActivePage(), form->TabSheetNet);
  EXPECT_TRUE(IsWindowVisible(form->TabSheetNet->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->TabSheetPrint->Handle()));
  EXPECT_GT(form->TabSheetNet->Width(), 300);

  // Hiding the active sheet's tab hands over to the next sheet.
  form->TabSheetNet->SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), form->TabSheetPrinters);
  EXPECT_EQ(TabCtrl_GetCurSel(pages.Handle()), 1);
}

TEST_F(Controls, LabeledEditKeepsItsLabelOnTheLeft) {
  LabeledEdit& edit = *form->LabeledEditWifiPassword;
  EXPECT_EQ(edit.Text(), L"secret");
  EXPECT_EQ(static_cast<wchar_t>(SendMessageW(edit.Handle(), EM_GETPASSWORDCHAR, 0, 0)), L'*');
  EXPECT_TRUE(GetWindowLongW(form->LabeledEditModelName->Handle(), GWL_STYLE) & ES_READONLY);
  Label& label = edit.EditLabel();
  EXPECT_EQ(label.Caption(), L"WIFI 密码: ");
  EXPECT_EQ(label.Bounds().Left + label.Width(), edit.Bounds().Left - 3);

  label.SetCaption(L"WIFI Password: ");  // longer: the label grows to the left
  EXPECT_EQ(label.Bounds().Left + label.Width(), edit.Bounds().Left - 3);
  edit.SetBounds({140, 68, 150, 24});
  EXPECT_EQ(label.Bounds().Left + label.Width(), 137);

  int changes = 0;
  edit.OnChange = [&](Component&) { ++changes; };
  edit.SetText(L"other");
  EXPECT_EQ(changes, 1);
  edit.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(label.Handle()));
  edit.Hide();
  EXPECT_FALSE(IsWindowVisible(label.Handle()));
}

TEST_F(Controls, HiddenAlignedControlGivesUpItsStrip) {
  const int before = form->GroupBox1->Bounds().Top;
  form->GroupBoxEffects->Hide();
  EXPECT_EQ(form->GroupBox1->Bounds().Top, before - 128);
  form->GroupBoxEffects->Show();
  EXPECT_EQ(form->GroupBox1->Bounds().Top, before);
}

}  // namespace
}  // namespace toolkit
