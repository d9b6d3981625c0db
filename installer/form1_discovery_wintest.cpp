// Form1 finding printers and installing one: the USB rows follow the
// scripted device console tool, a printer on loopback answers the real
// query, and the double-click and install button act on what was found.
#include "application_win.h"
#include "exit_codes.h"
#include "form1_fixture_wintest.h"
#include "installation_report.h"
#include "loopback_socket_wintest.h"
#include "message_box_watcher_wintest.h"
#include "text_win.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

const char kPattern[] = "status USBPRINT\\VELMO*";

std::string DevconOutput(const Texts& idsAndNames) {
  std::string text;
  for (std::size_t i = 0; i + 1 < idsAndNames.size(); i += 2)
    text += idsAndNames[i] + "\r\n    Name: " + idsAndNames[i + 1] + "\r\n    Driver is running.\r\n";
  return text + std::to_string(idsAndNames.size() / 2) + " matching device(s) found.\r\n";
}

// The printer on loopback: 127.0.0.255 is one of the host's loopback
// addresses, so the query to it stays on this machine.
class LoopbackPrinter : public LoopbackSocket {
 public:
  LoopbackPrinter() : LoopbackSocket("127.0.0.255", kDiscoveryPort, 3000) {}
  // Waits for a query and answers each reply text to its sender.
  std::string AnswerQuery(const Texts& replies) {
    const std::optional<Datagram> query = Receive();
    if (!query) return "";
    for (const std::string& reply : replies) Reply(*query, reply);
    return query->payload;
  }
};

Texts Shown(const toolkit::ListView& list) {
  Texts rows;
  for (int i = 0; i < list.ItemCount(); ++i)
    rows.push_back(NarrowToAnsi(list.ItemText(i, 0)) + " | " + NarrowToAnsi(list.ItemText(i, 1)));
  return rows;
}

using Form1Discovery = Form1Fixture;

TEST_F(Form1Discovery, FindsUsbAndNetworkPrintersAndFollowsAnUnplug) {
  LoopbackPrinter printer;
  ASSERT_TRUE(printer.Bound()) << "port 3000 on 127.0.0.255 is taken";
  devconOutputs_[kPattern] = DevconOutput({"USBPRINT\\VELMOLT42\\7&2A1F3C5&0&USB001", "Velmo LT42",
                                           "USBPRINT\\VELMOLT43\\7&11&0&USB002", "Velmo LT43"});
  hostAddresses_ = {{127, 0, 0, 9}};
  TForm1& f = Build(0, 1);
  EXPECT_EQ(devconRuns_, (Texts{kPattern, "status USBPRINT\\OTHER*"})) << "one status per brand word";
  EXPECT_EQ(UsbDeviceIds.Count(), 2u);

  EXPECT_EQ(printer.AnswerQuery({"IP:192.168.1.50;DEVICENAME:lt42;", "IP:192.168.1.50;DEVICENAME:LT42;",
                                 "IP:abc;DEVICENAME:LT42;", "DEVICENAME:X1;IP:10.0.0.8"}),
            "0");
  ASSERT_TRUE(PumpUntil([&] { return f.ListView1->ItemCount() == 4; }));
  EXPECT_EQ(Shown(*f.ListView1), (Texts{"Velmo LT42 | USB001", "Velmo LT43 | USB002", "Velmo LT42 | 192.168.1.50",
                                        "Other X1 | 10.0.0.8"}))
      << "the second reply adds nothing and an address that is no IPv4 address is dropped";

  devconOutputs_[kPattern] = DevconOutput({});  // both unplugged
  ASSERT_TRUE(RunPass(f));
  EXPECT_EQ(printer.AnswerQuery({}), "0") << "every pass queries again";
  EXPECT_EQ(Shown(*f.ListView1), (Texts{"Velmo LT42 | 192.168.1.50", "Other X1 | 10.0.0.8"}));
  EXPECT_EQ(UsbDeviceIds.Count(), 0u);
}

TEST_F(Form1Discovery, AFolderTooLongForTheToolsCommandLineIsSaidOnceOverTheWindow) {
  devconNotBuilt_ = true;
  const MessageBoxWatcher boxes;
  TForm1& f = Build(1, 1);
  EXPECT_EQ(boxes.Seen(), 0) << "not before the window shows";
  f.Show();
  ASSERT_TRUE(PumpUntil([&] { return boxes.Seen() == 1; }));
  EXPECT_EQ(boxes.LastText(),
            L"USB printers cannot be searched: the path of the program's folder is too long for the device console "
            L"tool's command line.");
  EXPECT_EQ(boxes.LastTitle(), L"InstallPrinter");
  ASSERT_TRUE(RunPass(f));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(boxes.Seen(), 1) << "said once, not every pass";
  EXPECT_EQ(devconRuns_, (Texts{kPattern, kPattern})) << "one try per pass; the next brand would fail alike";
}

TEST_F(Form1Discovery, NetworkOnlyModeRunsNoDeviceConsole) {
  devconOutputs_[kPattern] = DevconOutput({"USBPRINT\\VELMOLT42\\7&2&0&USB001", "Velmo LT42"});
  TForm1& f = Build(0, 0);
  ASSERT_TRUE(RunPass(f));
  EXPECT_TRUE(devconRuns_.empty());
  EXPECT_EQ(f.ListView1->ItemCount(), 0);
}

TEST_F(Form1Discovery, DoubleClickTakesOverAFoundPrinter) {
  devconOutputs_[kPattern] = DevconOutput({"USBPRINT\\VELMOLT42\\7&2&0&USB001", "Velmo LT42"});
  TForm1& f = Build(0, 1);
  f.IdUDPServer1UDPRead("IP:10.0.0.7;DEVICENAME:lt43");
  ASSERT_EQ(f.ListView1->ItemCount(), 2);

  f.ListView1DblClick(*f.ListView1);
  EXPECT_TRUE(f.RadioButtonInstallUSBPrinter->Checked()) << "no row selected: nothing changes";
  EXPECT_EQ(f.LabeledEditIP->Text(), L"");

  f.ListView1->SetSelectedIndex(1);
  f.ListView1DblClick(*f.ListView1);
  EXPECT_EQ(f.LabeledEditIP->Text(), L"10.0.0.7");
  EXPECT_EQ(f.ComboBoxDriverNames->ItemIndex(), 1);
  EXPECT_TRUE(f.RadioButtonInstallNetworkPrinter->Checked());
  EXPECT_TRUE(f.PanelNetworkSetting->Visible());
  EXPECT_TRUE(f.ButtonInstall->Enabled());

  f.ListView1->SetSelectedIndex(0);
  f.ListView1DblClick(*f.ListView1);
  EXPECT_TRUE(f.RadioButtonInstallUSBPrinter->Checked());
  EXPECT_FALSE(f.PanelNetworkSetting->Visible());
  EXPECT_EQ(f.LabeledEditIP->Text(), L"10.0.0.7") << "a USB row changes only the choice";
}

TEST_F(Form1Discovery, InstallingANetworkPrinterRunsItsCommandsAndEndsTheWindow) {
  TForm1& f = Build(0, 1);
  f.Show();
  installation_.queuesAfterInstall = {{"Velmo LT43-10.0.0.7", "IP_10.0.0.7", "Velmo LT43", 0}};
  f.IdUDPServer1UDPRead("IP:10.0.0.7;DEVICENAME:LT43;");
  f.ListView1->SetSelectedIndex(0);
  f.ListView1DblClick(*f.ListView1);
  const MessageBoxWatcher boxes;
  f.ButtonInstall->Click();
  EXPECT_EQ(boxes.Seen(), 0) << "an installed printer needs no word";
  EXPECT_EQ(ExitCode, 0);
  EXPECT_EQ(installation_.steps,
            (Texts{"runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\",
                   "hidden 5000 in C:\\Program Files\\Velmo\\ \"C:\\Windows\\System32\\cscript.exe\" \"C:\\Program Files\\Velmo\\prnport.vbs\" -a -r IP_10.0.0.7 -h 10.0.0.7 -n "
                   "9100 -o raw",
                   "hidden 5000 \"C:\\Windows\\System32\\rundll32.exe\" printui.dll PrintUIEntry /q /if /b \"Velmo LT43-10.0.0.7\" /r "
                   "\"IP_10.0.0.7\" /m \"Velmo LT43\"",
                   "pause 1000", "default Velmo LT43-10.0.0.7", "start \"C:\\Windows\\System32\\control.exe\" printers", "start \"C:\\Windows\\System32\\control.exe\" printers"}));
  EXPECT_FALSE(IsWindowVisible(f.Handle())) << "the installation ends the program";
}

TEST_F(Form1Discovery, EnterInstallsOnlyFromTheFocusedInstallButton) {
  TForm1& f = Build(0, 1);
  f.Show();
  f.IdUDPServer1UDPRead("IP:10.0.0.7;DEVICENAME:LT43;");
  f.ListView1->SetSelectedIndex(0);
  f.ListView1DblClick(*f.ListView1);
  const auto pressEnterIn = [&](toolkit::Control& control) {
    control.SetFocus();
    PostMessageW(control.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(control.Handle(), WM_KEYUP, VK_RETURN, 0);
    toolkit::ProcessMessages();
  };
  pressEnterIn(*f.ListView1);
  pressEnterIn(*f.LabeledEditIP);
  EXPECT_TRUE(installation_.steps.empty()) << "Enter on a found printer or in the address starts nothing";
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
  const MessageBoxWatcher boxes;  // no queue comes: the installation says so
  pressEnterIn(*f.ButtonInstall);
  EXPECT_FALSE(installation_.steps.empty()) << "the focused button is pressed as by a click";
}

TEST_F(Form1Discovery, AMissingOrUnsafeAddressTakesTheFocusAndNothingRuns) {
  TForm1& f = Build(0, 1);
  f.Show();
  f.RadioButtonInstallNetworkPrinter->SetChecked(true);
  f.ComboBoxDriverNames->SetItemIndex(0);
  f.LabeledEditIP->SetText(L"10.0.0.7\" /r \"LPT1:");
  f.ButtonInstall->Click();
  EXPECT_EQ(GetFocus(), f.LabeledEditIP->Handle());
  f.LabeledEditIP->SetText(L"10.0.0.7");
  f.ComboBoxDriverNames->SetItemIndex(-1);
  f.InstallPrinter();
  EXPECT_EQ(GetFocus(), f.ComboBoxDriverNames->Handle());
  EXPECT_TRUE(installation_.steps.empty());
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
}

TEST_F(Form1Discovery, AnInstallationThatLeavesNoQueueSaysWhichStepFailedAndEndsWithAnErrorCode) {
  TForm1& f = Build(1, 1);
  f.Show();
  installation_.exitCodes = {{"prnport.vbs", 1}};
  f.RadioButtonInstallNetworkPrinter->SetChecked(true);
  f.LabeledEditIP->SetText(L"10.0.0.7");
  f.ComboBoxDriverNames->SetItemIndex(1);
  const MessageBoxWatcher boxes;
  f.ButtonInstall->Click();
  EXPECT_EQ(boxes.Seen(), 1);
  EXPECT_EQ(boxes.LastText(), L"The printer was not installed: creating the printer port failed.");
  EXPECT_EQ(boxes.LastTitle(), L"InstallPrinter");
  EXPECT_EQ(installation_.steps.back(), "start \"C:\\Windows\\System32\\control.exe\" printers") << "the printers folder opens as without a queue";
  EXPECT_EQ(ExitCode, static_cast<int>(InstallerExit::NotInstalled));
  EXPECT_FALSE(IsWindowVisible(f.Handle())) << "the program ends once the box is closed";
}

TEST_F(Form1Discovery, AUsbQueueThatNeverAppearsIsReportedInChinese) {
  devconOutputs_[kPattern] = DevconOutput({"USBPRINT\\VELMOLT42\\7&2&0&USB001", "Velmo LT42"});
  TForm1& f = Build(0, 1);
  f.Show();
  const MessageBoxWatcher boxes;
  f.ButtonInstall->Click();
  EXPECT_EQ(boxes.Seen(), 1);
  EXPECT_EQ(boxes.LastText(), L"打印机没有安装：新的打印队列没有出现。");
  EXPECT_EQ(boxes.LastTitle(), L"安装打印机");
  EXPECT_EQ(ExitCode, static_cast<int>(InstallerExit::NotInstalled));
}

TEST_F(Form1Discovery, ALastingSocketErrorShowsOneErrorBoxAtATime) {
  TForm1& f = Build(0, 0);
  f.Show();
  socketError_ = true;
  const int lookupsBefore = hostLookups_;
  f.Timer1->SetInterval(20);
  const MessageBoxWatcher boxes(400);  // some 20 ticks fall due under the box
  f.Timer1Timer(*f.Timer1);
  ASSERT_TRUE(PumpUntil([&] { return boxes.Seen() == 1 && !f.PassInFlight(); }));
  f.Timer1->SetEnabled(false);
  EXPECT_EQ(boxes.MostOpenAtOnce(), 1);
  EXPECT_EQ(boxes.LastText(), L"Socket Error # 10065");
  EXPECT_EQ(hostLookups_ - lookupsBefore, 1) << "no pass ran under the open box";
  ASSERT_TRUE(RunPass(f));
  EXPECT_EQ(boxes.Seen(), 2) << "once it is closed, the next pass reports again";
}

TEST_F(Form1Discovery, RefusedElevationEndsTheProgramBeforeAnyCommand) {
  devconOutputs_[kPattern] = DevconOutput({"USBPRINT\\VELMOLT42\\7&2&0&USB001", "Velmo LT42"});
  TForm1& f = Build(0, 1);
  f.Show();
  installation_.elevationGranted = false;
  const MessageBoxWatcher boxes;
  f.ButtonInstall->Click();
  EXPECT_EQ(boxes.LastText(), L"打印机没有安装：驱动安装程序未能完成。");
  EXPECT_EQ(ExitCode, static_cast<int>(InstallerExit::NotInstalled));
  EXPECT_EQ(installation_.steps, Texts{"runas C:\\Program Files\\Velmo\\Drovik.exe in C:\\Program Files\\Velmo\\"});
  EXPECT_FALSE(IsWindowVisible(f.Handle()));
}

}  // namespace
}  // namespace velmo
