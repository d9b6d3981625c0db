// Forms: modal results, timers, the error box, message dispatch, the loop,
// the form font and DPI scaling.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "toolkit_win.h"
#include "wintest_support_win.h"

namespace toolkit {
namespace {

// A dialog as the programs write them: a class with named components.
class TfrmDialog : public Form {
 public:
  TfrmDialog()
      : Form({.Name = L"frmDialog", .Caption = L"编辑纸张", .ClientWidth = 300, .ClientHeight = 120,
              .Border = BorderStyle::Dialog, .Position = FormPosition::OwnerCenter}) {
    Button1 = Make<Button>(*this, {.Name = L"Button1", .Caption = L"确定", .Bounds = {110, 80, 80, 26},
                                   .Default = true, .ModalResult = mrOk});
    Label1 = Make<Label>(*this, {.Name = L"Label1", .Caption = L"纸张名称: ", .Bounds = {10, 10, 10, 10},
                                 .AutoSize = true});
    Label2 = Make<Label>(*this, {.Name = L"Label2", .Caption = L"Big", .Bounds = {10, 40, 60, 30}, .FontSize = 14});
    TimerShow = new Timer(*this, {.Name = L"TimerShow", .Interval = 20, .Enabled = false,
                                  .OnTimer = Handler(&TfrmDialog::TimerShowTimer)});
  }
  void TimerShowTimer(Component&) {
    ++ticks;
    if (whileModal) whileModal();
  }

  Button* Button1;
  Label* Label1;
  Label* Label2;
  Timer* TimerShow;
  int ticks = 0;
  std::function<void()> whileModal;
};

// A form that takes WM_COPYDATA before the toolkit, as the settings window does.
class TfrmChannel : public Form {
 public:
  TfrmChannel() : Form({.Name = L"frmChannel", .Caption = L"channel"}) {}
  std::string received;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COPYDATA) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      received.assign(static_cast<const char*>(data->lpData), data->cbData);
      return TRUE;
    }
    return Form::WindowProc(message, wParam, lParam);
  }
};

LOGFONTW FontOf(const Control& control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

TEST(Modal, ButtonWithModalResultEndsShowModalAndOwnerIsDisabledMeanwhile) {
  Form owner({.Name = L"frmMain", .Caption = L"main"});
  owner.Show();
  TfrmDialog dialog;
  bool ownerDisabled = false;
  dialog.whileModal = [&] {
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    dialog.TimerShow->SetEnabled(false);
    SendMessageW(dialog.Button1->Handle(), BM_CLICK, 0, 0);
  };
  dialog.TimerShow->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_FALSE(dialog.IsModal());
}

TEST(Modal, ClosingEndsWithCancelAndTheDialogCanBeShownAgain) {
  TfrmDialog dialog;
  dialog.whileModal = [&] {
    dialog.TimerShow->SetEnabled(false);
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  };
  int closes = 0;
  dialog.OnClose = [&](Component&) { ++closes; };
  dialog.TimerShow->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  dialog.TimerShow->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(closes, 2);
}

TEST(Timers, FireRepeatedlyUntilDisabledAndFollowTheirInterval) {
  TfrmDialog form;
  form.TimerShow->SetEnabled(true);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ticks >= 3; }));
  form.TimerShow->SetEnabled(false);
  const int stopped = form.ticks;
  test::PumpUntil([] { return false; }, 150);
  EXPECT_EQ(form.ticks, stopped);

  form.TimerShow->SetInterval(400);
  form.TimerShow->SetEnabled(true);
  test::PumpUntil([] { return false; }, 150);
  EXPECT_EQ(form.ticks, stopped);  // the first tick comes after 400 ms
  EXPECT_TRUE(test::PumpUntil([&] { return form.ticks > stopped; }, 2000));
}

TEST(ErrorBox, ExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
  TfrmDialog form;
  form.Show();
  test::MessageBoxAnswerer answerer;
  int clicks = 0;
  form.Button1->OnClick = [&](Component&) {
    if (++clicks == 1) throw std::runtime_error("纸张名称无效");
  };
  SendMessageW(form.Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.Count(), 1);
  EXPECT_EQ(answerer.LastText(), L"纸张名称无效");
  EXPECT_EQ(answerer.LastTitle(), L"toolkit_form_wintest");
  SendMessageW(form.Button1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(answerer.Count(), 1);

  // From a timer, inside the message loop: the box, then more ticks.
  form.whileModal = [&] {
    if (form.ticks == 1) throw std::logic_error("");
  };
  form.TimerShow->SetEnabled(true);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ticks >= 3; }));
  EXPECT_EQ(answerer.Count(), 2);
  EXPECT_EQ(answerer.LastText(), L"");
}

TEST(Dispatch, DerivedFormTakesMessagesBeforeTheToolkit) {
  TfrmChannel form;
  std::string payload("Halftone=DITHER", 16);
  COPYDATASTRUCT data{3, static_cast<DWORD>(payload.size()), payload.data()};
  EXPECT_EQ(SendMessageW(form.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
  EXPECT_EQ(form.received, payload);
  form.SetCaption(L"打印机管理");  // everything else still reaches the toolkit
  EXPECT_EQ(form.Caption(), L"打印机管理");
  EXPECT_TRUE(form.HasCaption());
}

TEST(Loop, RunEndsWhenTheMainFormCloses) {
  TfrmDialog form;
  int shows = 0;
  form.OnShow = [&](Component&) { ++shows; };
  form.whileModal = [&] { form.Close(); };
  form.TimerShow->SetEnabled(true);
  EXPECT_EQ(toolkit::Run(form), 0);
  EXPECT_EQ(shows, 1);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(IsMainForm(form));
}

TEST(Layout, ARunOfMovesAndShowsDrawsNothingUntilItEndsThenTheWholeForm) {
  TfrmDialog form;
  form.Show();
  ProcessMessages();  // the first paint
  HWND button = form.Button1->Handle();
  // The focus given on show would come back with the restore and redraw
  // the button for its own reason.
  SetFocus(form.Handle());
  ProcessMessages();
  ASSERT_FALSE(GetUpdateRect(button, nullptr, FALSE));
  form.SuspendLayout();
  SetWindowPos(form.Handle(), nullptr, 0, 0, 420, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
  ShowWindow(form.Handle(), SW_MINIMIZE);
  ShowWindow(form.Handle(), SW_RESTORE);
  EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
  form.ResumeLayout();
  EXPECT_TRUE(GetUpdateRect(button, nullptr, FALSE));
  EXPECT_TRUE(GetUpdateRect(form.Handle(), nullptr, FALSE));
  // Outside a run, a resize draws as usual.
  ProcessMessages();
  SetWindowPos(form.Handle(), nullptr, 0, 0, 520, 260, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(GetUpdateRect(form.Handle(), nullptr, FALSE));
}

TEST(Layout, AButtonEnabledOrDisabledAndALabelsNewTextAreDrawnWithTheNextPaint) {
  TfrmDialog form;
  form.Show();
  ProcessMessages();
  HWND label = form.Label2->Handle();
  form.Label2->SetCaption(L"Small");
  wchar_t text[16] = L"";
  GetWindowTextW(label, text, 16);
  EXPECT_STREQ(text, L"Small");
  EXPECT_TRUE(GetUpdateRect(label, nullptr, FALSE));  // not drawn at once
  ProcessMessages();
  EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));

  HWND button = form.Button1->Handle();
  form.Button1->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button));
  EXPECT_TRUE(GetUpdateRect(button, nullptr, FALSE));  // not drawn at once
  ProcessMessages();
  EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
  form.Button1->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button));
  EXPECT_TRUE(GetUpdateRect(button, nullptr, FALSE));
}

TEST(FormFont, ControlsFollowANewFormFontAndKeepTheirOwnSize) {
  TfrmDialog form;
  EXPECT_STREQ(FontOf(*form.Button1).lfFaceName, L"微软雅黑");
  EXPECT_EQ(FontOf(*form.Button1).lfHeight, -12);  // 9 pt at 96 DPI
  EXPECT_EQ(FontOf(*form.Label2).lfHeight, -19);   // its own 14 pt
  const int designedWidth = form.Label1->Width();
  form.SetFontName(L"Tahoma");
  EXPECT_STREQ(FontOf(*form.Button1).lfFaceName, L"Tahoma");
  EXPECT_EQ(FontOf(*form.Button1).lfHeight, -12);
  EXPECT_STREQ(FontOf(*form.Label2).lfFaceName, L"Tahoma");
  EXPECT_EQ(FontOf(*form.Label2).lfHeight, -19);
  form.Label1->SetCaption(L"Paper name and a longer text: ");
  EXPECT_GT(form.Label1->Width(), designedWidth);  // auto-sized to the new text
}

TEST(Dpi, DesignedSizesScaleToTheWindowsDpi) {
  {
    const test::ScopedDpi scoped(144);
    TfrmDialog form;
    RECT client{}, button{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 450);
    EXPECT_EQ(client.bottom, 180);
    GetWindowRect(form.Button1->Handle(), &button);
    EXPECT_EQ(button.right - button.left, 120);
    EXPECT_EQ(form.Button1->Bounds(), (Rect{110, 80, 80, 26}));  // read back in designed units
    EXPECT_EQ(FontOf(*form.Button1).lfHeight, -18);
  }
}

}  // namespace
}  // namespace toolkit
