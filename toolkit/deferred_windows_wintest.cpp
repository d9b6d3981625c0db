// A form's controls get their windows when the form is first shown (or when
// a handle is asked for): what is set on them before is kept, read back as
// set, and is what their windows start with.
#include <gtest/gtest.h>

#include "toolkit_win.h"

namespace toolkit {
namespace {

class TfrmDeferred : public Form {
 public:
  TfrmDeferred()
      : Form({.Name = L"frmDeferred", .Caption = L"deferred", .ClientWidth = 400, .ClientHeight = 300,
              .Border = BorderStyle::Dialog}) {
    PanelTop = Make<Panel>(*this, {.Name = L"PanelTop", .Bounds = {0, 0, 0, 40}, .Align = Align::Top});
    CheckBox1 = Make<CheckBox>(*PanelTop, {.Name = L"CheckBox1", .Caption = L"纸张旋转", .Bounds = {8, 8, 90, 20}});
    Radio1 = Make<RadioButton>(*PanelTop, {.Name = L"Radio1", .Caption = L"0", .Bounds = {100, 8, 40, 20},
                                           .Checked = true});
    Radio2 = Make<RadioButton>(*PanelTop, {.Name = L"Radio2", .Caption = L"90", .Bounds = {140, 8, 40, 20}});
    TrackBar1 = Make<TrackBar>(*this, {.Name = L"TrackBar1", .Bounds = {8, 50, 200, 30}, .Min = 0, .Max = 100,
                                       .Position = 50, .OnChange = [this](Component&) { ++changes; }});
    ComboBox1 = Make<ComboBox>(*this, {.Name = L"ComboBox1", .Bounds = {8, 90, 120, 24}, .Items = {L"50%", L"55%"}});
    Edit1 = Make<LabeledEdit>(*this, {.Name = L"Edit1", .Caption = L"IP: ", .Bounds = {60, 120, 120, 24},
                                      .Text = L"10.0.0.1"});
    ListView1 = Make<ListView>(*this, {.Name = L"ListView1", .Bounds = {200, 90, 190, 80},
                                       .Columns = {{L"Name", 100}, {L"Port", 80}}});
    Pages = Make<PageControl>(*this, {.Name = L"Pages", .Bounds = {8, 180, 380, 110}});
    Sheet1 = Make<TabSheet>(*Pages, {.Name = L"Sheet1", .Caption = L"打印"});
    Sheet2 = Make<TabSheet>(*Pages, {.Name = L"Sheet2", .Caption = L"网络"});
    Sheet3 = Make<TabSheet>(*Pages, {.Name = L"Sheet3", .Caption = L"WIFI"});
  }
  Panel* PanelTop;
  CheckBox* CheckBox1;
  RadioButton* Radio1;
  RadioButton* Radio2;
  TrackBar* TrackBar1;
  ComboBox* ComboBox1;
  LabeledEdit* Edit1;
  ListView* ListView1;
  PageControl* Pages;
  TabSheet* Sheet1;
  TabSheet* Sheet2;
  TabSheet* Sheet3;
  int changes = 0;
};

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

// Everything the form's constructor and translation would do before showing.
void SetBeforeShowing(TfrmDeferred& f) {
  f.CheckBox1->SetCaption(L"PaperRotate");
  f.CheckBox1->SetChecked(true);
  f.Radio2->SetChecked(true);
  f.TrackBar1->SetMax(19);  // pushes the position down to the new end
  f.ComboBox1->AddItem(L"60%");
  f.ComboBox1->SetItemIndex(2);
  f.Edit1->SetText(L"192.168.1.20");
  f.Edit1->EditLabel().SetCaption(L"IP Address: ");
  f.ListView1->AddItem(L"Velmo LT42", {L"USB001"});
  f.Sheet2->SetTabVisible(false);
  f.Sheet1->SetCaption(L"Print");
  f.Edit1->SetEnabled(false);
}

TEST(DeferredWindows, StateSetBeforeShowingIsKeptAndReadBack) {
  TfrmDeferred f;
  SetBeforeShowing(f);
  EXPECT_FALSE(f.CheckBox1->HandleAllocated());
  EXPECT_FALSE(f.Pages->HandleAllocated());
  EXPECT_EQ(f.CheckBox1->Caption(), L"PaperRotate");
  EXPECT_TRUE(f.CheckBox1->Checked());
  EXPECT_FALSE(f.Radio1->Checked());
  EXPECT_TRUE(f.Radio2->Checked());
  EXPECT_EQ(f.TrackBar1->Max(), 19);
  EXPECT_EQ(f.TrackBar1->Position(), 19);
  EXPECT_EQ(f.changes, 1);
  f.TrackBar1->SetPosition(-5);  // clamped as the window would clamp it
  EXPECT_EQ(f.TrackBar1->Position(), 0);
  EXPECT_EQ(f.ComboBox1->ItemCount(), 3);
  EXPECT_EQ(f.ComboBox1->ItemIndex(), 2);
  EXPECT_EQ(f.ComboBox1->ItemText(2), L"60%");
  f.ComboBox1->SetItemIndex(7);  // no such item: nothing selected
  EXPECT_EQ(f.ComboBox1->ItemIndex(), -1);
  f.ComboBox1->SetItemIndex(1);
  EXPECT_EQ(f.Edit1->Text(), L"192.168.1.20");
  EXPECT_EQ(f.ListView1->ItemCount(), 1);
  EXPECT_EQ(f.Pages->TabCount(), 2);
  EXPECT_EQ(f.Pages->ActivePage(), f.Sheet1);
  EXPECT_FALSE(f.Edit1->Enabled());
  EXPECT_FALSE(f.Edit1->EditLabel().Enabled());
  EXPECT_FALSE(f.CheckBox1->HandleAllocated());  // reading created nothing
}

TEST(DeferredWindows, ShowingMakesEveryWindowWithTheStateSetBefore) {
  TfrmDeferred f;
  SetBeforeShowing(f);
  f.Show();
  ASSERT_TRUE(f.CheckBox1->HandleAllocated());
  EXPECT_EQ(WindowText(f.CheckBox1->Handle()), L"PaperRotate");
  EXPECT_EQ(SendMessageW(f.CheckBox1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(f.Radio1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(f.Radio2->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(f.TrackBar1->Handle(), TBM_GETRANGEMAX, 0, 0), 19);
  EXPECT_EQ(SendMessageW(f.TrackBar1->Handle(), TBM_GETPOS, 0, 0), 19);
  EXPECT_EQ(f.changes, 1);  // making the window changed nothing
  EXPECT_EQ(SendMessageW(f.ComboBox1->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(f.ComboBox1->Handle(), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(WindowText(f.Edit1->Handle()), L"192.168.1.20");
  EXPECT_EQ(WindowText(f.Edit1->EditLabel().Handle()), L"IP Address: ");
  EXPECT_FALSE(IsWindowEnabled(f.Edit1->Handle()));
  EXPECT_EQ(ListView_GetItemCount(f.ListView1->Handle()), 1);
  EXPECT_EQ(f.ListView1->ItemText(0, 1), L"USB001");
  EXPECT_EQ(TabCtrl_GetItemCount(f.Pages->Handle()), 2);
  EXPECT_TRUE(IsWindowVisible(f.Sheet1->Handle()));
  EXPECT_FALSE(IsWindowVisible(f.Sheet3->Handle()));
  // The label sits left of its edit, fitted to its text.
  EXPECT_LT(f.Edit1->EditLabel().Bounds().Left + f.Edit1->EditLabel().Width(), f.Edit1->Bounds().Left + 1);
  // Laid out at once: the aligned panel spans the client area.
  EXPECT_EQ(f.PanelTop->Width(), f.ClientWidth());
  // And from now on changes go straight to the windows.
  f.CheckBox1->SetChecked(false);
  EXPECT_EQ(SendMessageW(f.CheckBox1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(DeferredWindows, AskingForOneHandleMakesTheWholeFormInOrder) {
  TfrmDeferred f;
  HWND combo = f.ComboBox1->Handle();
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(f.CheckBox1->HandleAllocated());
  EXPECT_TRUE(f.Sheet1->HandleAllocated());
  EXPECT_FALSE(f.Sheet3->HandleAllocated());  // hidden: made when shown or asked for
  // Siblings keep the order they were designed in.
  EXPECT_EQ(GetWindow(f.PanelTop->Handle(), GW_HWNDNEXT), f.TrackBar1->Handle());
  EXPECT_EQ(GetWindow(f.TrackBar1->Handle(), GW_HWNDNEXT), combo);
  // A control added now gets its window at once.
  auto* late = Make<CheckBox>(*f.PanelTop, {.Name = L"Late", .Caption = L"late", .Bounds = {200, 8, 60, 20}});
  EXPECT_TRUE(late->HandleAllocated());
  EXPECT_EQ(WindowText(late->Handle()), L"late");
}

TEST(DeferredWindows, AHiddenControlGetsItsWindowWhenShownInItsDesignedPlace) {
  TfrmDeferred f;
  f.Radio1->SetVisible(false);
  f.Show();
  EXPECT_FALSE(f.Radio1->HandleAllocated());
  EXPECT_FALSE(f.Sheet2->HandleAllocated());
  EXPECT_TRUE(f.Radio1->Checked());  // read from the kept state
  f.Radio1->Show();
  ASSERT_TRUE(f.Radio1->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(f.Radio1->Handle()));
  EXPECT_EQ(SendMessageW(f.Radio1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Between its designed neighbours, not after every window made before it.
  EXPECT_EQ(GetWindow(f.CheckBox1->Handle(), GW_HWNDNEXT), f.Radio1->Handle());
  EXPECT_EQ(GetWindow(f.Radio1->Handle(), GW_HWNDNEXT), f.Radio2->Handle());
  // A sheet made on activation is the one on top, with its own children.
  auto* onSheet = Make<CheckBox>(*f.Sheet3, {.Name = L"OnSheet", .Caption = L"on", .Bounds = {8, 8, 60, 20}});
  EXPECT_FALSE(onSheet->HandleAllocated());
  f.Pages->SetActivePage(f.Sheet3);
  ASSERT_TRUE(onSheet->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(onSheet->Handle()));
  EXPECT_EQ(GetWindow(f.Pages->Handle(), GW_CHILD), f.Sheet3->Handle());
  EXPECT_EQ(f.Sheet3->Bounds(), f.Sheet1->Bounds());  // laid out like the first
}

TEST(WindowBinding, AWindowLeadsToItsControlUntilTheWindowIsGone) {
  TfrmDeferred f;
  f.Show();
  HWND check = f.CheckBox1->Handle();
  EXPECT_EQ(Control::FromHandle(check), f.CheckBox1);
  EXPECT_EQ(Control::FromHandle(f.PanelTop->Handle()), f.PanelTop);
  EXPECT_EQ(Control::FromHandle(f.Handle()), &f);
  EXPECT_EQ(Control::FromHandle(GetDesktopWindow()), nullptr);
  // The standard control's own procedure still runs under the toolkit's.
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  DestroyWindow(check);
  EXPECT_EQ(Control::FromHandle(check), nullptr);
  EXPECT_FALSE(f.CheckBox1->HandleAllocated());
}

TEST(DeferredWindows, AFormGetsItsOwnWindowWhenFirstNeeded) {
  TfrmDeferred f;
  EXPECT_FALSE(f.HandleAllocated());
  f.SetCaption(L"纸张");
  auto* timer = new Timer(f, {.Name = L"Timer1", .Interval = 50, .Enabled = false});
  EXPECT_FALSE(f.HandleAllocated());  // a stopped timer needs no window
  timer->SetEnabled(true);
  ASSERT_TRUE(f.HandleAllocated());
  EXPECT_EQ(WindowText(f.Handle()), L"纸张");
  RECT client{};
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_FALSE(f.CheckBox1->HandleAllocated());  // the controls wait for the show
}

}  // namespace
}  // namespace toolkit
