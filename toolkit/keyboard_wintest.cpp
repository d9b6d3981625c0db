// The keyboard and screen-reader rules of the toolkit, by real key messages
// and the system's accessibility calls, on the gallery form.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "application_win.h"
#include "gallery_form_win.h"
#include "keyboard_win.h"
#include "wintest_support_win.h"

namespace toolkit {
namespace {

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TfrmGallery>();
    form->Show();
    SetForegroundWindow(form->Handle());
    ProcessMessages();
  }

  void Press(WPARAM key, std::initializer_list<int> held = {}, UINT message = WM_KEYDOWN) {
    test::PressKey(key, held, message, GetFocus() ? nullptr : form->Handle());
  }
  Control* Focused() const { return test::FocusedControl(); }
  std::vector<Control*> WalkRing(bool backward) { return test::WalkByTab(*form, backward); }

  std::unique_ptr<TfrmGallery> form;
};

TEST_F(Keyboard, TabVisitsEveryStopOnceInDesignOrderAndShiftTabTheReverse) {
  const std::vector<Control*> forward = WalkRing(false);
  const std::set<Control*> distinct(forward.begin(), forward.end());
  EXPECT_EQ(distinct.size(), forward.size()) << "a control was reached twice";
  EXPECT_EQ(forward, TabRing(*form));
  // Commands that only the mouse reached before: the tool buttons, the
  // picture with its menu, and the tabs of the page control.
  for (Control* must : std::initializer_list<Control*>{form->SpeedButtonPrintTestPage, form->SpeedButtonAddPaper,
                                                        form->ImageDisplay, form->PageControlPrint})
    EXPECT_TRUE(distinct.count(must)) << must->Name().c_str();
  EXPECT_FALSE(distinct.count(form->SpeedButtonPrinterSettings)) << "a disabled button is no stop";
  // The tabs come before the page's first control.
  const auto tabs = std::find(forward.begin(), forward.end(), form->PageControlPrint);
  ASSERT_NE(tabs, forward.end());
  ASSERT_NE(tabs + 1, forward.end());
  EXPECT_EQ((*(tabs + 1))->Parent(), form->TabSheetPrint);

  std::vector<Control*> backward = WalkRing(true);
  std::reverse(backward.begin() + 1, backward.end());
  EXPECT_EQ(backward, forward);
}

TEST_F(Keyboard, ARadioGroupIsOneStopAtItsCheckedButtonAndTabbingAcrossItClicksNothing) {
  int clicks = 0;
  for (RadioButton* radio : form->RadioButtonRotate0->Group()) radio->OnClick = [&](Component&) { ++clicks; };
  const std::vector<Control*> ring = TabRing(*form);
  EXPECT_EQ(std::count(ring.begin(), ring.end(), form->RadioButtonRotate0), 1);
  EXPECT_EQ(std::count(ring.begin(), ring.end(), form->RadioButtonRotate90), 0);
  EXPECT_TRUE(GetWindowLongW(form->RadioButtonRotate0->Handle(), GWL_STYLE) & WS_GROUP);
  EXPECT_FALSE(GetWindowLongW(form->RadioButtonRotate90->Handle(), GWL_STYLE) & WS_GROUP);
  EXPECT_TRUE(GetWindowLongW(form->CheckBoxPaperRotate->Handle(), GWL_STYLE) & WS_GROUP);

  // With none checked the first is the stop; the system clicks an unchecked
  // radio button that gains the focus, and that must not count as a choice.
  SendMessageW(form->RadioButtonRotate0->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  form->RadioButtonRotate0->SetChecked(false);
  clicks = 0;
  form->ButtonResetDefault->SetEnabled(true);
  form->ButtonResetDefault->SetFocus();
  for (int i = 0; i < 4 && Focused() != form->CheckBoxPaperRotate; ++i) Press(VK_TAB);
  EXPECT_EQ(Focused(), form->CheckBoxPaperRotate);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(form->RadioButtonRotate0->Checked());
}

TEST_F(Keyboard, ArrowsChooseWithinTheGroupAndWrapAround) {
  std::vector<Component*> chosen;
  for (RadioButton* radio : form->RadioButtonRotate0->Group())
    radio->OnClick = [&](Component& sender) { chosen.push_back(&sender); };
  form->FocusByKeyboard(*form->RadioButtonRotate0);
  for (int i = 0; i < 4; ++i) Press(VK_RIGHT);
  EXPECT_EQ(chosen, (std::vector<Component*>{form->RadioButtonRotate90, form->RadioButtonRotate180,
                                             form->RadioButtonRotate270, form->RadioButtonRotate0}));
  Press(VK_UP);
  EXPECT_EQ(Focused(), form->RadioButtonRotate270);
  EXPECT_TRUE(form->RadioButtonRotate270->Checked());
  const std::vector<Control*> ring = TabRing(*form);
  EXPECT_EQ(std::count(ring.begin(), ring.end(), form->RadioButtonRotate270), 1) << "the checked one is the stop";
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysSwitchPagesAndTheFocusLeavesAHiddenPage) {
  int changes = 0;
  form->PageControlPrint->OnChange = [&](Component&) { ++changes; };
  form->FocusByKeyboard(*form->CheckBoxAutoFeed);
  Press(VK_TAB, {VK_CONTROL});
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetNet);
  EXPECT_EQ(Focused(), form->PageControlPrint);
  Press(VK_NEXT, {VK_CONTROL});
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetPrinters);
  Press(VK_NEXT, {VK_CONTROL});
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetPrint) << "wraps around";
  Press(VK_TAB, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetPrinters);
  Press(VK_PRIOR, {VK_CONTROL});
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetNet);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(TabCtrl_GetCurSel(form->PageControlPrint->Handle()), 1);
}

TEST_F(Keyboard, AltKeyPressesButtonsAndMovesFromALabelOrRowToItsField) {
  int auto_feeds = 0;
  form->CheckBoxAutoFeed->OnClick = [&](Component&) { ++auto_feeds; };
  form->CheckBoxAutoFeed->SetCaption(L"合盖自动走纸(&F)");
  form->PanelDirection->SetCaption(L"打印方向(&D):");
  form->LabeledEditLanNetmask->EditLabel().SetCaption(L"&Netmask:");
  Press(L'f', {VK_MENU}, WM_SYSCHAR);
  EXPECT_EQ(auto_feeds, 1);
  EXPECT_EQ(Focused(), form->CheckBoxAutoFeed);
  Press(L'D', {VK_MENU}, WM_SYSCHAR);
  EXPECT_EQ(Focused(), form->RadioButtonRotate0) << "the row's checked radio button";
  // A field on a hidden page is out of reach until its page shows.
  Press(L'n', {VK_MENU}, WM_SYSCHAR);
  EXPECT_EQ(Focused(), form->RadioButtonRotate0);
  form->PageControlPrint->SetActivePage(form->TabSheetNet);
  Press(L'n', {VK_MENU}, WM_SYSCHAR);
  EXPECT_EQ(Focused(), form->LabeledEditLanNetmask);
}

TEST_F(Keyboard, ALinkLabelIsAStopThatEnterAndSpaceClick) {
  int clicks = 0;
  form->LabelVersion->OnClick = [&](Component&) { ++clicks; };
  const std::vector<Control*> ring = TabRing(*form);
  ASSERT_EQ(ring.front(), form->LabelVersion);
  form->FocusByKeyboard(*form->LabelVersion);
  Press(VK_RETURN);
  Press(VK_SPACE);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Keyboard, ShiftF10AndTheMenuKeyOpenThePicturesMenu) {
  form->FocusByKeyboard(*form->ImageDisplay);
  for (bool shift_f10 : {true, false}) {
    std::atomic<bool> opened = false;
    std::thread watcher([&] {
      for (int i = 0; i < 150 && !opened; ++i) {
        if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
          opened = true;
          PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
        }
        Sleep(20);
      }
    });
    if (shift_f10) Press(VK_F10, {VK_SHIFT}, WM_SYSKEYDOWN);
    else Press(VK_APPS);
    watcher.join();
    EXPECT_TRUE(opened) << (shift_f10 ? "Shift+F10" : "the menu key");
  }
}

TEST_F(Keyboard, FocusStartsAtTheFirstControlAndComesBackAfterAModalDialog) {
  EXPECT_EQ(Focused(), TabRing(*form).front());
  TfrmGallery dialog;
  form->FocusByKeyboard(*form->SpeedButtonAddPaper);
  dialog.TimerShow->OnTimer = [&](Component&) { dialog.Close(); };
  dialog.TimerShow->SetInterval(50);
  dialog.TimerShow->SetEnabled(true);
  dialog.ShowModal();
  EXPECT_EQ(Focused(), form->SpeedButtonAddPaper);
}

TEST_F(Keyboard, ScreenReadersGetRowNamedRadiosAndTheKindsRolesValuesAndShortcuts) {
  EXPECT_EQ(test::AccessibleText(form->RadioButtonRotate90->Handle(), &IAccessible::get_accName), L"打印方向 90");
  EXPECT_EQ(test::AccessibleText(form->ComboBoxPaperNames->Handle(), &IAccessible::get_accName), L"纸张选择");
  EXPECT_EQ(test::AccessibleText(form->SpeedButtonAddPaper->Handle(), &IAccessible::get_accName), L"新建");
  EXPECT_EQ(test::AccessibleRole(form->SpeedButtonAddPaper->Handle()), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(test::AccessibleRole(form->RadioButtonRotate90->Handle()), ROLE_SYSTEM_RADIOBUTTON);
  EXPECT_EQ(test::AccessibleRole(form->ImageDisplay->Handle()), ROLE_SYSTEM_GRAPHIC);
  EXPECT_EQ(test::AccessibleRole(form->TrackBarDarkness->Handle()), ROLE_SYSTEM_SLIDER);
  EXPECT_EQ(test::AccessibleText(form->LabeledEditLanNetmask->Handle(), &IAccessible::get_accName), L"Netmask");
  form->ImageDisplay->SetAccessibleDescription(L"旋转 90");
  EXPECT_EQ(test::AccessibleText(form->ImageDisplay->Handle(), &IAccessible::get_accDescription), L"旋转 90");
  form->CheckBoxAutoFeed->SetCaption(L"合盖自动走纸(&F)");
  EXPECT_EQ(test::AccessibleText(form->CheckBoxAutoFeed->Handle(), &IAccessible::get_accName), L"合盖自动走纸");
  EXPECT_EQ(test::AccessibleText(form->CheckBoxAutoFeed->Handle(), &IAccessible::get_accKeyboardShortcut), L"Alt+F");
}

std::vector<HWND> announced;
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_CLIENT) announced.push_back(window);
}

TEST(Announce, AStatusLineAnnouncesEachNewTextAndAPlainLabelDoesNot) {
  TfrmGallery form;
  Label* status = Make<Label>(*form.PanelButtons, {.Name = L"LabelStatus", .Bounds = {8, 8, 200, 18}, .Announce = true});
  Label* plain = Make<Label>(*form.PanelButtons, {.Name = L"LabelPlain", .Bounds = {8, 30, 200, 18}});
  form.Show();
  constexpr DWORD kLiveRegionChanged = 0x8019;
  HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, RecordEvent,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  announced.clear();
  status->SetCaption(L"Velmo LT42 answered.");
  plain->SetCaption(L"12");
  status->SetCaption(L"Velmo LT42 answered.");  // unchanged: said once
  test::PumpUntil([] { return false; }, 300);
  UnhookWinEvent(hook);
  EXPECT_EQ(announced, std::vector<HWND>{status->Handle()});
}

}  // namespace
}  // namespace toolkit
