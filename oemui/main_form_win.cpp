// frmMain's own behaviour: embedding in the driver's page, the timers, the
// reply side of the driver channel, the test page.
#include "main_form_win.h"

#include "about_form_win.h"
#include "driver_transport_win.h"
#include "driver_version_win.h"
#include "launch_win.h"
#include "printer_config_form_win.h"
#include "text_win.h"
#include "translate_form_win.h"
#include "usb_locator_win.h"
#include "version_text.h"

namespace velmo {

TfrmMain* frmMain = nullptr;

namespace {

HWND ParentWindow() { return WindowFromValue(Launch.ParentWindow); }

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace

DriverChannel& Driver() {
  static CopyDataTransport transport(WindowFromValue(Launch.DialogWindow), frmMain->Handle());
  static DriverChannel channel(transport);
  return channel;
}

void TfrmMain::FinishConstruction() {
  TranslateForm(this, OemuiTranslationTable());
  // Set once, and not translated: it is built at run time.
  LabelVersion->SetCaption(L"Ver:" + WidenAnsi(BuildVersionText(ProgramPath())));
}

LRESULT TfrmMain::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* reply = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Driver().OnReply(reply->dwData, reply->lpData, reply->cbData);
  } else if (message == WM_DESTROY && toolkit::IsMainForm(*this)) {
    // Destroyed with the driver's page it lives in: the program ends.
    PostQuitMessage(0);
  }
  return Form::WindowProc(message, wParam, lParam);
}

void TfrmMain::FormShow(toolkit::Component&) {
  if (HWND parent = ParentWindow()) {
    // Laid out for the page's size while still our own window: moving
    // controls inside another process's window costs a round trip each.
    RECT page{};
    GetClientRect(parent, &page);
    SetWindowPos(Handle(), nullptr, 0, 0, page.right, page.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // The red row is shown by the load or the two-colour box when the
    // printer prints two colours: its windows are made now too, as a window
    // made inside the page takes tens of milliseconds.
    PanelThresholdRed->Handle();
    // The steps below then move nothing: their sizes are not laid out.
    SuspendLayout();
    // SetParent leaves the pop-up style alone; as a real child the window is
    // maximised to the page's client area, not to the screen.
    SetWindowLongW(Handle(), GWL_STYLE, (GetWindowLongW(Handle(), GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(Handle(), parent);
    FollowWindowDpi();  // the page's monitor may not be ours
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 640, 480, SWP_SHOWWINDOW);
    // Minimised, then maximised: the window, now a child, fills the page.
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    ResumeLayout();
  }
  TimerOnShow->SetInterval(100);
  TimerOnShow->SetEnabled(true);
  TimerSwitchToFront->SetEnabled(true);
}

void TfrmMain::FormMouseActivate(toolkit::Component&) {
  if (HWND parent = ParentWindow()) SwitchToThisWindow(parent, TRUE);
}

void TfrmMain::TimerOnShowTimer(toolkit::Component&) {
  TimerOnShow->SetEnabled(false);
  LoadFeatures();
}

void TfrmMain::TimerPrinterStatusTimer(toolkit::Component&) {
  TimerPrinterStatus->SetInterval(1000);
  // A page that went away without destroying us (its process ended) ends
  // the program too.
  if (Launch.ParentWindow && !IsWindow(ParentWindow())) Close();
  SpeedButtonPrinterSettings->SetEnabled(IsUsbPrinterPresent(Launch.PrinterName));
}

void TfrmMain::TimerSwitchToFrontTimer(toolkit::Component&) {
  if (HWND parent = ParentWindow()) SwitchToThisWindow(parent, TRUE);
  TimerSwitchToFront->SetEnabled(false);
}

void TfrmMain::SpeedButtonPrintTestPageClick(toolkit::Component&) {
  Driver().NotifyTestPage(Launch.PrinterName);
  WinExec(TestPageCommand(Launch.PrinterName).c_str(), SW_SHOWNORMAL);
}

void TfrmMain::SpeedButtonPrinterSettingsClick(toolkit::Component&) { frmPrinterConfig->ShowModal(); }

void TfrmMain::LabelVersionClick(toolkit::Component&) { frmAbout->ShowModal(); }

}  // namespace velmo
