// frmPrinterConfig with real windows against the in-process printer emulator
// on its virtual clock; timer handlers are run by the test, so nothing sleeps.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "emulated_printer.h"
#include "recording_port.h"
#include "english_mode.h"
#include "printer_config_form_win.h"
#include "printer_config_peers_win.h"
#include "usb_frame.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PrinterFirmware;
using Frame = std::vector<uint8_t>;


class EmulatorPeers : public PrinterConfigPeers, public UsbPortOpener {
 public:
  PrinterFirmware firmware;
  EmulatedPrinter printer{firmware};
  std::vector<Frame> frames;
  std::vector<std::wstring> refusals;

  std::string PrinterName() override { return "Velmo LT42"; }
  UsbPortOpener& Ports() override { return *this; }
  bool IsPrinterPresent(std::string_view) override { return printer.plugged && printer.Open("") != nullptr; }
  void ShowRefusal(HWND, const std::wstring& text) override { refusals.push_back(text); }
  std::optional<std::wstring> ChooseProfileFile(HWND, bool to_save) override {
    chosen_to_save.push_back(to_save);
    return profile_path;
  }
  std::optional<std::wstring> profile_path;  // what the file dialog gives; nothing: cancelled
  std::vector<bool> chosen_to_save;
  std::unique_ptr<PrinterHold> HoldPrinter(std::string_view, unsigned) override {
    return held_elsewhere ? nullptr : std::make_unique<PrinterHold>();
  }
  std::unique_ptr<UnsavedWrites> UnsavedWritesOf(std::string_view) override {
    return std::make_unique<Record>(unsaved);
  }
  uint64_t NowMs() override { return printer.NowMs(); }
  void Sleep(uint32_t ms) override { printer.Advance(ms); }
  bool held_elsewhere = false;
  std::vector<std::string> unsaved;
  // Called with each request before the printer gets it.
  std::function<void(const Frame&)> on_request;
  std::unique_ptr<UsbPort> Open(std::string_view name) override {
    auto port = printer.Open(name);
    if (!port) return nullptr;
    return std::make_unique<emulator::RecordingPort>(std::move(port), [this](const uint8_t* frame, size_t length) {
      frames.emplace_back(frame, frame + length);
      if (on_request) on_request(frames.back());
    });
  }

 private:
  class Record : public UnsavedWrites {
   public:
    explicit Record(std::vector<std::string>& keys) : keys_(keys) {}
    std::vector<std::string> Keys() override { return keys_; }
    void Set(const std::vector<std::string>& keys) override { keys_ = keys; }

   private:
    std::vector<std::string>& keys_;
  };
};

// The writes and commands among the frames: what changes the printer.
std::vector<Frame> Writes(const std::vector<Frame>& frames) {
  std::vector<Frame> writes;
  for (const Frame& frame : frames) {
    if (frame.size() > 4 && frame[4] == 0x30) writes.push_back(frame);
  }
  return writes;
}

Frame View(const std::optional<RequestFrame>& frame) {
  EXPECT_TRUE(frame.has_value());
  return frame ? Frame(frame->View().begin(), frame->View().end()) : Frame{};
}
Frame Int(std::string_view key, int32_t value) { return View(BuildWriteInt(key, value)); }
Frame Text(std::string_view key, std::string_view text) { return View(BuildWriteText(key, text)); }
Frame Bytes(std::string_view key, std::vector<uint8_t> bytes) { return View(BuildWriteBytes(key, bytes)); }
Frame Save(std::string_view command) { return View(BuildCommand(command, UsbValueKind::kSaveCommand)); }
Frame Command(std::string_view command) { return View(BuildCommand(command, UsbValueKind::kCommand)); }

// A profile file of the test's own, removed at the end.
class ProfileFile {
 public:
  explicit ProfileFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path = std::wstring(folder) + name;
  }
  ~ProfileFile() { DeleteFileW(path.c_str()); }
  void Write(const std::string& content) const {
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_TRUE(file);
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  std::string Read() const {
    std::string content;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
      char chunk[512];
      for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) content.append(chunk, n);
      std::fclose(file);
    }
    return content;
  }
  std::wstring path;
};

class PrinterConfigDialog : public ::testing::Test {
 protected:
  void SetUp() override { ReplacePrinterConfigPeers(&peers); }
  void TearDown() override {
    form.reset();
    ReplacePrinterConfigPeers(nullptr);
    EnglishMode = 0;
  }
  void Create(bool english = false) {
    EnglishMode = english ? 1 : 0;
    form = std::make_unique<TfrmPrinterConfig>();
  }
  // What the dialog does from showing until the first read attempt has run.
  void ShowAndRead() {
    form->FormShow(*form);
    ReadAttempt();
  }
  void ReadAttempt() { form->TimerShowTimer(*form); }
  // The dialog shown and read, then `content` imported through `file`.
  void ImportProfile(const ProfileFile& file, const std::string& content) {
    file.Write(content);
    Create(true);
    ShowAndRead();
    peers.profile_path = file.path;
    peers.frames.clear();
    form->ButtonImportClick(*form->ButtonImport);
  }
  void Set(const std::string& key, emulator::SettingValue value) { peers.firmware.SetCurrent(key, std::move(value)); }
  bool DeviceControlsEnabled() const {
    return form->TrackBarDarkness->Enabled() || form->Button2->Enabled() || form->ButtonPowerReset->Enabled() ||
           form->ButtonPrintSelftest->Enabled() || form->ButtonRegRestoreDefault->Enabled() ||
           form->LabeledEditBluetoothName->Enabled() || form->CheckBoxLanIpDhcp->Enabled() ||
           form->LabeledEditWifiSSID->Enabled() || form->LabeledEditModelName->Enabled();
  }
  // A save ends with the printer restarting; it is back after the first wait.
  void ExpectReconnectsAfterRestart(UINT first_wait_ms) {
    EXPECT_FALSE(DeviceControlsEnabled());
    EXPECT_TRUE(form->TimerReconnect->Enabled());
    EXPECT_EQ(form->TimerReconnect->Interval(), first_wait_ms);
    EXPECT_FALSE(form->TimerShow->Enabled());
    const int beeps = peers.firmware.beeps;
    peers.printer.Advance(first_wait_ms);
    form->TimerReconnectTimer(*form->TimerReconnect);
    EXPECT_FALSE(form->TimerReconnect->Enabled());
    EXPECT_TRUE(form->TimerShow->Enabled());
    EXPECT_EQ(form->TimerShow->Interval(), 100u);
    ReadAttempt();
    EXPECT_TRUE(DeviceControlsEnabled());
    EXPECT_EQ(peers.firmware.beeps, beeps + 1);
  }

  EmulatorPeers peers;
  std::unique_ptr<TfrmPrinterConfig> form;
};

TEST_F(PrinterConfigDialog, DesignedStateBeforeAnyRead) {
  Create();
  EXPECT_EQ(form->Caption(), L"打印机设置");
  EXPECT_EQ(form->ClientWidth(), 413);
  // The designed 329, and the strip of the profile buttons above the bottom buttons.
  EXPECT_EQ(form->ClientHeight(), 363);
  EXPECT_EQ(form->PageControlPrint->Height(), 363 - 45 - 34);
  EXPECT_FALSE(form->ButtonExport->Enabled() || form->ButtonImport->Enabled());
  EXPECT_EQ(form->ButtonExport->Caption(), L"导出(&X)...");
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"");
  EXPECT_FALSE(form->TabSheetBT->TabVisible());
  EXPECT_FALSE(form->TabSheetNet->TabVisible());
  EXPECT_FALSE(form->TabSheetWifi->TabVisible());
  EXPECT_EQ(form->PageControlPrint->TabCount(), 2);
  EXPECT_EQ(form->PageControlPrint->ActivePage(), form->TabSheetPrint);
  EXPECT_FALSE(DeviceControlsEnabled());
  EXPECT_TRUE(form->Button3->Enabled());
  EXPECT_TRUE(form->ButtonClose->Enabled());
  EXPECT_FALSE(form->TimerShow->Enabled());
  EXPECT_FALSE(form->TimerReconnect->Enabled());
  EXPECT_EQ(form->TimerReconnect->Interval(), 2000u);
  EXPECT_EQ(form->TrackBarDarkness->Min(), -1);
  EXPECT_EQ(form->TrackBarDarkness->Max(), 1);
  EXPECT_TRUE(form->LabeledEditModelName->ReadOnly());
  EXPECT_EQ(form->LabeledEditBluetoothName->EditLabel().Caption(), L"蓝牙名称(&N): ");
}

TEST_F(PrinterConfigDialog, TranslatedCaptionsInEnglishIncludingHiddenTabs) {
  Create(true);
  EXPECT_EQ(form->Caption(), L"PrinterConfig");
  EXPECT_EQ(form->TabSheetBT->Caption(), L"Bluetooth");
  EXPECT_EQ(form->TabSheetNet->Caption(), L"LAN");
  EXPECT_EQ(form->TabSheetWifi->Caption(), L"WIFI");
  EXPECT_EQ(form->Button2->Caption(), L"Sa&ve&&Reset");
  EXPECT_EQ(form->ButtonExport->Caption(), L"E&xport...");
  EXPECT_EQ(form->ButtonImport->Caption(), L"&Import...");
  EXPECT_EQ(form->LabeledEditWifiPassword->EditLabel().Caption(), L"WIFI Passw&ord: ");
  EXPECT_EQ(form->FormFont().Name, L"Tahoma");
}

TEST_F(PrinterConfigDialog, ReadFillsEveryControlEnablesThemAndBeepsOnce) {
  Create();
  Set("PRINT_DARKNESS_SIZE", int32_t{7});
  Set("PRINT_DARKNESS", int32_t{-2});
  Set("PRINT_MODE", int32_t{2});
  Set("AUTO_FEED", int32_t{0});
  Set("AUTO_REPRINT", int32_t{5});
  Set("PRINT_ONLY_ONE_PAGE", int32_t{1});
  Set("BLUETOOTH_NAME", std::string("Shelf"));
  Set("BLUETOOTH_PASSWORD_LE", std::string("4321"));
  Set("LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{192, 168, 1, 20});
  Set("WIFI_CONFIG_SSID", std::string("Office"));
  Set("WIFI_CONFIG_GATEWAY", std::vector<uint8_t>{10, 0, 0, 254});
  Set("VERSION", std::string("1.2"));
  Set("VERSION_CMD", std::string("5"));
  ShowAndRead();
  EXPECT_EQ(form->TrackBarDarkness->Min(), -3);
  EXPECT_EQ(form->TrackBarDarkness->Max(), 3);
  EXPECT_EQ(form->TrackBarDarkness->Position(), -2);
  EXPECT_EQ(form->LabelPrintDarkness->Caption(), L"打印黑度(&D): -2");
  EXPECT_TRUE(form->RadioButtonPrintModePrecise->Checked());
  EXPECT_FALSE(form->CheckBoxAutoFeed->Checked());
  EXPECT_TRUE(form->CheckBoxAutoReprint->Checked());
  EXPECT_TRUE(form->CheckBoxOnlyOnePage->Checked());
  EXPECT_EQ(form->LabeledEditBluetoothName->Text(), L"Shelf");
  EXPECT_EQ(form->LabeledEditBluetoothPassword->Text(), L"0000");
  EXPECT_EQ(form->LabeledEditBluetoothBleName->Text(), L"LT42_BLE");
  EXPECT_EQ(form->LabeledEditBluetoothBlePassword->Text(), L"4321");
  EXPECT_EQ(form->LabeledEditLanIpAddress->Text(), L"192.168.1.20");
  EXPECT_FALSE(form->CheckBoxLanIpDhcp->Checked());
  EXPECT_EQ(form->LabeledEditLanNetmask->Text(), L"255.255.255.0");
  EXPECT_EQ(form->LabeledEditLanGateway->Text(), L"192.168.1.1");
  EXPECT_EQ(form->LabeledEditWifiSSID->Text(), L"Office");
  EXPECT_TRUE(form->CheckBoxWifiIpDhcp->Checked());
  EXPECT_EQ(form->LabeledEditWifiIpAddress->Text(), L"0.0.0.0");
  EXPECT_EQ(form->LabeledEditWifiGateway->Text(), L"10.0.0.254");
  EXPECT_EQ(form->LabeledEditModelName->Text(), L"Velmo LT42");
  EXPECT_EQ(form->LabeledEditFirmwareVersion->Text(), L"1.2.5");
  EXPECT_TRUE(form->TabSheetBT->TabVisible() && form->TabSheetNet->TabVisible() && form->TabSheetWifi->TabVisible());
  EXPECT_TRUE(form->TrackBarDarkness->Enabled() && form->Button2->Enabled() && form->ButtonPowerReset->Enabled());
  EXPECT_TRUE(form->LabeledEditLanIpAddress->Enabled());
  // Under the checked Wi-Fi DHCP box the address edits end disabled.
  EXPECT_FALSE(form->LabeledEditWifiIpAddress->Enabled());
  EXPECT_FALSE(form->LabeledEditWifiNetmask->Enabled());
  EXPECT_FALSE(form->LabeledEditWifiGateway->Enabled());
  EXPECT_EQ(peers.firmware.beeps, 1);
  EXPECT_FALSE(form->TimerShow->Enabled());
  EXPECT_TRUE(peers.frames.back() == Command("beep"));
}

TEST_F(PrinterConfigDialog, SliderRangeFollowsTheSizeAndTheLabelItsLanguage) {
  Create(true);
  for (auto [size, half] : {std::pair{8, 4}, std::pair{0, 0}, std::pair{7, 3}}) {
    Set("PRINT_DARKNESS_SIZE", int32_t{size});
    Set("PRINT_DARKNESS", int32_t{-2});
    ShowAndRead();
    EXPECT_EQ(form->TrackBarDarkness->Min(), -half) << size;
    EXPECT_EQ(form->TrackBarDarkness->Max(), half) << size;
  }
  EXPECT_EQ(form->TrackBarDarkness->Position(), -2);
  EXPECT_EQ(form->LabelPrintDarkness->Caption(), L"&Darkness: -2");
}

TEST_F(PrinterConfigDialog, UnknownModeLeavesTheButtonsAndEmptyCommandVersionShowsVersionAlone) {
  Create();
  Set("PRINT_MODE", int32_t{1});
  ShowAndRead();
  EXPECT_TRUE(form->RadioButtonPrintModeFast->Checked());
  Set("PRINT_MODE", int32_t{3});
  Set("VERSION", std::string("1.2"));
  Set("VERSION_CMD", std::string());
  ShowAndRead();
  EXPECT_TRUE(form->RadioButtonPrintModeFast->Checked());
  EXPECT_FALSE(form->RadioButtonPrintModeNormal->Checked());
  EXPECT_FALSE(form->RadioButtonPrintModePrecise->Checked());
  EXPECT_EQ(form->LabeledEditFirmwareVersion->Text(), L"1.2");
}

TEST_F(PrinterConfigDialog, TabsAppearOnlyForPresentFeaturesAndStay) {
  Create();
  Set("BT_ENABLED", int32_t{0});
  Set("LAN_ENABLED", int32_t{1});
  Set("WIFI_ENABLED", int32_t{0});
  ShowAndRead();
  EXPECT_FALSE(form->TabSheetBT->TabVisible());
  EXPECT_TRUE(form->TabSheetNet->TabVisible());
  EXPECT_FALSE(form->TabSheetWifi->TabVisible());
  for (const Frame& frame : peers.frames) {
    EXPECT_NE(frame, View(BuildReadRequest("BLUETOOTH_NAME", UsbValueKind::kText)));
  }
  Set("LAN_ENABLED", int32_t{0});
  Set("WIFI_ENABLED", int32_t{1});
  ShowAndRead();
  EXPECT_TRUE(form->TabSheetNet->TabVisible());
  EXPECT_TRUE(form->TabSheetWifi->TabVisible());
  EXPECT_EQ(form->PageControlPrint->TabCount(), 4);
}

TEST_F(PrinterConfigDialog, DhcpBoxesFollowTheAddressAndUncheckingKeepsTheText) {
  Create();
  Set("LAN_CONFIG_IPADDRESS", std::vector<uint8_t>{0, 0, 0, 0});
  ShowAndRead();
  EXPECT_TRUE(form->CheckBoxLanIpDhcp->Checked());
  EXPECT_FALSE(form->LabeledEditLanIpAddress->Enabled());
  EXPECT_FALSE(form->LabeledEditLanNetmask->Enabled());
  EXPECT_FALSE(form->LabeledEditLanGateway->Enabled());
  form->CheckBoxLanIpDhcp->SetChecked(false);
  EXPECT_TRUE(form->LabeledEditLanIpAddress->Enabled());
  EXPECT_TRUE(form->LabeledEditLanGateway->Enabled());
  EXPECT_EQ(form->LabeledEditLanIpAddress->Text(), L"0.0.0.0");
  form->LabeledEditLanIpAddress->SetText(L"10.1.2.3");
  form->CheckBoxLanIpDhcp->SetChecked(true);
  EXPECT_EQ(form->LabeledEditLanIpAddress->Text(), L"0.0.0.0");
  EXPECT_EQ(form->LabeledEditLanNetmask->Text(), L"255.255.255.0");
  form->CheckBoxWifiIpDhcp->SetChecked(false);
  EXPECT_TRUE(form->LabeledEditWifiNetmask->Enabled());
}

TEST_F(PrinterConfigDialog, PrintSaveSendsItsFramesInOrderThenRestartsAndReconnects) {
  Create();
  ShowAndRead();
  form->TrackBarDarkness->SetPosition(-3);
  form->RadioButtonPrintModeFast->SetChecked(true);
  form->CheckBoxAutoFeed->SetChecked(false);
  form->CheckBoxOnlyOnePage->SetChecked(true);
  peers.frames.clear();
  form->Button2Click(*form->Button2);
  const std::vector<Frame> expected = {Int("PRINT_DARKNESS", -3), Int("PRINT_MODE", 1), Int("AUTO_FEED", 0),
                                       Int("AUTO_REPRINT", 0), Int("PRINT_ONLY_ONE_PAGE", 1),
                                       Save("reg_value_save"), Command("power_reset")};
  EXPECT_EQ(Writes(peers.frames), expected);
  EXPECT_EQ(peers.firmware.restarts, 1);
  // Still restarting at the first check: the wait goes on every 2 s.
  peers.printer.Advance(1);
  EXPECT_FALSE(peers.IsPrinterPresent(""));
  form->TimerReconnectTimer(*form->TimerReconnect);
  EXPECT_TRUE(form->TimerReconnect->Enabled());
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->TrackBarDarkness->Position(), -3);
}

TEST_F(PrinterConfigDialog, BluetoothAndWifiSavesSendTheirTextsAndAddresses) {
  Create();
  ShowAndRead();
  form->LabeledEditBluetoothName->SetText(L"Desk");
  peers.frames.clear();
  form->ButtonBtConfigSaveClick(*form->ButtonBtConfigSave);
  std::vector<Frame> expected = {Text("BLUETOOTH_NAME", "Desk"), Text("BLUETOOTH_PASSWORD", "0000"),
                                 Text("BLUETOOTH_NAME_LE", "LT42_BLE"), Text("BLUETOOTH_PASSWORD_LE", "000000"),
                                 Save("bt_config_save"), Command("power_reset")};
  EXPECT_EQ(Writes(peers.frames), expected);
  ExpectReconnectsAfterRestart(2000);

  form->LabeledEditWifiSSID->SetText(L"Office");
  form->LabeledEditWifiPassword->SetText(L"secret");
  form->CheckBoxWifiIpDhcp->SetChecked(false);
  form->LabeledEditWifiIpAddress->SetText(L"192.168.1");
  form->LabeledEditWifiNetmask->SetText(L"");
  peers.frames.clear();
  form->ButtonSaveWifiConfigClick(*form->ButtonSaveWifiConfig);
  expected = {Text("WIFI_CONFIG_SSID", "Office"), Text("WIFI_CONFIG_PASSWORD", "secret"),
              Bytes("WIFI_CONFIG_IPADDRESS", {0xC0, 0xA8, 0x01, 0x00}), Bytes("WIFI_CONFIG_NETMASK", {0, 0, 0, 0}),
              Bytes("WIFI_CONFIG_GATEWAY", {192, 168, 1, 1}), Save("reg_value_save"), Command("power_reset")};
  EXPECT_EQ(Writes(peers.frames), expected);
  EXPECT_EQ(form->LabeledEditWifiIpAddress->Text(), L"192.168.1.0");
  EXPECT_EQ(form->LabeledEditWifiNetmask->Text(), L"0.0.0.0");
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->LabeledEditWifiIpAddress->Text(), L"192.168.1.0");
}

TEST_F(PrinterConfigDialog, WiredSaveSendsTheAddressesItShows) {
  Create();
  ShowAndRead();
  form->CheckBoxLanIpDhcp->SetChecked(false);
  form->LabeledEditLanIpAddress->SetText(L"192.168.1");
  form->LabeledEditLanGateway->SetText(L"10.300.-2.1");
  peers.frames.clear();
  form->Button1Click(*form->Button1);
  const std::vector<Frame> expected = {Bytes("LAN_CONFIG_IPADDRESS", {0xC0, 0xA8, 0x01, 0x00}),
                                       Bytes("LAN_CONFIG_NETMASK", {255, 255, 255, 0}),
                                       Bytes("LAN_CONFIG_GATEWAY", {10, 255, 0, 1}), Save("reg_value_save"),
                                       Command("power_reset")};
  EXPECT_EQ(Writes(peers.frames), expected);
  EXPECT_EQ(form->LabeledEditLanIpAddress->Text(), L"192.168.1.0");
  EXPECT_EQ(form->LabeledEditLanGateway->Text(), L"10.255.0.1");
  ExpectReconnectsAfterRestart(2000);
}

TEST_F(PrinterConfigDialog, TextTooLongForAFrameIsRefusedBeforeAnythingIsSent) {
  Create(true);
  ShowAndRead();
  form->LabeledEditBluetoothBlePassword->SetText(std::wstring(120, L'x'));
  peers.frames.clear();
  form->ButtonBtConfigSaveClick(*form->ButtonBtConfigSave);
  EXPECT_TRUE(peers.frames.empty());
  ASSERT_EQ(peers.refusals.size(), 1u);
  EXPECT_NE(peers.refusals[0].find(L"BLE Password"), std::wstring::npos);
  EXPECT_EQ(peers.firmware.restarts, 0);
  EXPECT_TRUE(DeviceControlsEnabled());
  EXPECT_FALSE(form->TimerReconnect->Enabled());

  form->LabeledEditWifiPassword->SetText(std::wstring(110, L'p'));
  form->LabeledEditWifiIpAddress->SetText(L"1.2");
  form->ButtonSaveWifiConfigClick(*form->ButtonSaveWifiConfig);
  EXPECT_TRUE(peers.frames.empty());
  ASSERT_EQ(peers.refusals.size(), 2u);
  EXPECT_NE(peers.refusals[1].find(L"WIFI Password"), std::wstring::npos);
  EXPECT_EQ(form->LabeledEditWifiIpAddress->Text(), L"1.2");
}

TEST_F(PrinterConfigDialog, RestartFactoryResetAndSelftest) {
  Create();
  ShowAndRead();
  peers.frames.clear();
  form->ButtonPrintSelftestClick(*form->ButtonPrintSelftest);
  EXPECT_EQ(peers.frames, (std::vector<Frame>{Command("ui_prn_selftest")}));
  EXPECT_EQ(peers.firmware.self_tests, 1);
  EXPECT_TRUE(DeviceControlsEnabled());

  form->ButtonPowerResetClick(*form->ButtonPowerReset);
  ExpectReconnectsAfterRestart(3000);

  Set("PRINT_DARKNESS", int32_t{4});
  peers.frames.clear();
  form->ButtonRegRestoreDefaultClick(*form->ButtonRegRestoreDefault);
  EXPECT_EQ(peers.frames, (std::vector<Frame>{Command("reg_restore_default"), Command("power_reset")}));
  ExpectReconnectsAfterRestart(3000);
  EXPECT_EQ(form->TrackBarDarkness->Position(), 0);
}

TEST_F(PrinterConfigDialog, AbsentOrSilentPrinterKeepsControlsDisabledAndRetriesEvery2s) {
  Create();
  for (bool unplugged : {true, false}) {
    peers.printer.plugged = !unplugged;
    peers.printer.reads_fail = !unplugged;
    ShowAndRead();
    EXPECT_FALSE(DeviceControlsEnabled());
    EXPECT_TRUE(form->TimerShow->Enabled());
    EXPECT_EQ(form->TimerShow->Interval(), 2000u);
    EXPECT_EQ(peers.firmware.beeps, 0);
  }
  peers.printer.reads_fail = false;
  ReadAttempt();
  EXPECT_TRUE(DeviceControlsEnabled());
  EXPECT_FALSE(form->TimerShow->Enabled());
}

TEST_F(PrinterConfigDialog, ClosingStopsBothTimersSoAHiddenDialogNeverBeeps) {
  Create();
  ShowAndRead();
  form->Button2Click(*form->Button2);
  EXPECT_TRUE(form->TimerReconnect->Enabled());
  form->FormClose(*form);
  EXPECT_FALSE(form->TimerReconnect->Enabled());
  EXPECT_FALSE(form->TimerShow->Enabled());
}

TEST_F(PrinterConfigDialog, ClearEmptiesSsidAndPasswordWithoutSending) {
  Create();
  ShowAndRead();
  form->LabeledEditWifiSSID->SetText(L"Office");
  form->LabeledEditWifiPassword->SetText(L"secret");
  peers.frames.clear();
  form->Button3Click(*form->Button3);
  EXPECT_EQ(form->LabeledEditWifiSSID->Text(), L"");
  EXPECT_EQ(form->LabeledEditWifiPassword->Text(), L"");
  EXPECT_TRUE(peers.frames.empty());
}

TEST_F(PrinterConfigDialog, SaveLineSaysWhetherTheSaveTookAfterTheReadBack) {
  Create(true);
  ShowAndRead();
  EXPECT_TRUE(form->ButtonExport->Enabled() && form->ButtonImport->Enabled());
  form->RadioButtonPrintModeFast->SetChecked(true);
  form->Button2Click(*form->Button2);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Waiting for the printer...");
  EXPECT_FALSE(form->ButtonImport->Enabled());
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Last save took.");

  // A printer that answers the writes but keeps two old values.
  peers.firmware.ignored_writes = {"PRINT_MODE", "AUTO_FEED"};
  form->RadioButtonPrintModePrecise->SetChecked(true);
  form->CheckBoxAutoFeed->SetChecked(false);
  form->Button2Click(*form->Button2);
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Not taken: 2 settings");
  EXPECT_TRUE(form->RadioButtonPrintModeFast->Checked()) << "the dialog shows what the printer holds";
}

TEST_F(PrinterConfigDialog, ExportWritesTheProfileWithoutPasswords) {
  const ProfileFile file(L"velmo-dialog-export.profile");
  Create();
  Set("WIFI_CONFIG_PASSWORD", std::string("wifi-secret"));
  Set("PRINT_MODE", int32_t{2});
  ShowAndRead();
  form->ButtonExportClick(*form->ButtonExport);  // cancelled: nothing written
  EXPECT_EQ(file.Read(), "");
  peers.profile_path = file.path;
  form->ButtonExportClick(*form->ButtonExport);
  EXPECT_EQ(peers.chosen_to_save, (std::vector<bool>{true, true}));
  const std::string profile = file.Read();
  EXPECT_NE(profile.find("# model: Velmo LT42\n"), std::string::npos) << profile;
  EXPECT_NE(profile.find("PRINT_MODE=2\n"), std::string::npos);
  EXPECT_EQ(profile.find("wifi-secret"), std::string::npos);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"配置已导出。");
}

TEST_F(PrinterConfigDialog, ImportWritesWhatDiffersThenReadsBackAndSaysItTook) {
  const ProfileFile file(L"velmo-dialog-import.profile");
  ImportProfile(file, "# from another printer\r\nPRINT_MODE=1\r\nAUTO_FEED=1\r\nBLUETOOTH_NAME=Kasse 3\r\n");
  EXPECT_EQ(peers.chosen_to_save, std::vector<bool>{false});
  // After the read of every setting: only what differs, then both saves and the restart.
  ASSERT_GE(peers.frames.size(), 5u);
  const std::vector<Frame> tail(peers.frames.end() - 5, peers.frames.end());
  const std::vector<Frame> expected = {Int("PRINT_MODE", 1), Text("BLUETOOTH_NAME", "Kasse 3"),
                                       Save("reg_value_save"), Save("bt_config_save"), Command("power_reset")};
  EXPECT_EQ(tail, expected);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Waiting for the printer...");
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Last save took.");
  EXPECT_EQ(form->LabeledEditBluetoothName->Text(), L"Kasse 3");

  form->ButtonImportClick(*form->ButtonImport);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Profile matches the printer.");
  EXPECT_EQ(peers.firmware.restarts, 1);
}

TEST_F(PrinterConfigDialog, ImportOfABadProfileNamesItsLinesAndWritesNothing) {
  const ProfileFile file(L"velmo-dialog-bad.profile");
  ImportProfile(file, "AUTO_FEED=1\nPRINT_MODE=7\nCOLOUR=red\n");
  EXPECT_TRUE(peers.frames.empty());
  ASSERT_EQ(peers.refusals.size(), 1u);
  EXPECT_NE(peers.refusals[0].find(L"line 2: PRINT_MODE is out of range"), std::wstring::npos) << peers.refusals[0];
  EXPECT_NE(peers.refusals[0].find(L"line 3: unknown key"), std::wstring::npos);
  EXPECT_TRUE(form->ButtonImport->Enabled());
}

TEST_F(PrinterConfigDialog, EscClosesAsTheCloseButtonDoes) {
  Create();
  form->Show();
  ShowAndRead();
  form->LabeledEditModelName->SetFocus();
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(toolkit::test::PumpUntil([&] { return !IsWindowVisible(form->Handle()); }));
  EXPECT_FALSE(form->TimerShow->Enabled());
}

TEST_F(PrinterConfigDialog, RefusedProfileIsExplainedInChinese) {
  const ProfileFile file(L"velmo-dialog-bad-zh.profile");
  file.Write("PRINT_MODE=7\n");
  Create(false);
  ShowAndRead();
  peers.profile_path = file.path;
  form->ButtonImportClick(*form->ButtonImport);
  ASSERT_EQ(peers.refusals.size(), 1u);
  EXPECT_NE(peers.refusals[0].find(L"第 1 行: PRINT_MODE 超出范围 (0 到 2)"), std::wstring::npos) << peers.refusals[0];
  EXPECT_EQ(peers.refusals[0].find(L"out of range"), std::wstring::npos);
}

// The save line says "took" only when the printer answered the save and the
// restart, and it stops waiting in silence after 20 s.
TEST_F(PrinterConfigDialog, SaveLineTookOnlyWhenTheSaveWasAnswered) {
  Create(true);
  ShowAndRead();
  peers.on_request = [this](const Frame& frame) {
    if (frame == Save("reg_value_save")) peers.printer.plugged = false;
  };
  form->RadioButtonPrintModeFast->SetChecked(true);
  form->Button2Click(*form->Button2);
  peers.on_request = nullptr;
  for (int tick = 0; tick < 10; ++tick) {
    peers.printer.Advance(form->TimerReconnect->Interval());
    form->TimerReconnectTimer(*form->TimerReconnect);
  }
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"The printer did not come back within 20 s.");
  EXPECT_TRUE(form->TimerReconnect->Enabled()) << "it still looks for the printer";
  peers.printer.plugged = true;
  form->TimerReconnectTimer(*form->TimerReconnect);
  ReadAttempt();
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"The printer did not confirm the save.");
}

TEST_F(PrinterConfigDialog, ChangesMadeElsewhereAreShownNotOverwritten) {
  Create(true);
  ShowAndRead();
  // velmocfg imports a profile while the dialog is open.
  Set("AUTO_REPRINT", int32_t{1});
  Set("PRINT_MODE", int32_t{2});
  form->CheckBoxAutoFeed->SetChecked(false);
  peers.frames.clear();
  form->Button2Click(*form->Button2);
  EXPECT_TRUE(Writes(peers.frames).empty());
  ASSERT_EQ(peers.refusals.size(), 1u);
  EXPECT_NE(peers.refusals[0].find(L"Another program changed"), std::wstring::npos);
  EXPECT_TRUE(form->CheckBoxAutoReprint->Checked());
  EXPECT_TRUE(form->RadioButtonPrintModePrecise->Checked());
  // Saved again, the dialog's values go out with the other program's ones kept.
  form->CheckBoxAutoFeed->SetChecked(false);
  form->Button2Click(*form->Button2);
  EXPECT_EQ(std::get<int32_t>(*peers.firmware.Current("AUTO_REPRINT")), 1);
  EXPECT_EQ(std::get<int32_t>(*peers.firmware.Current("AUTO_FEED")), 0);
}

TEST_F(PrinterConfigDialog, PrinterHeldByAnotherProgramGetsNothing) {
  Create(true);
  ShowAndRead();
  peers.held_elsewhere = true;
  peers.frames.clear();
  form->Button2Click(*form->Button2);
  form->ButtonPowerResetClick(*form->ButtonPowerReset);
  EXPECT_TRUE(peers.frames.empty());
  ASSERT_EQ(peers.refusals.size(), 2u);
  EXPECT_NE(peers.refusals[0].find(L"in use by another program"), std::wstring::npos);
  // The timed read does not wait: it tries again 2 s later.
  form->FormShow(*form);
  ReadAttempt();
  EXPECT_TRUE(peers.frames.empty());
  EXPECT_TRUE(form->TimerShow->Enabled());
}

// The printer drops off after the third write and comes back a second later
// with those writes live but unsaved: the dialog puts them back.
TEST_F(PrinterConfigDialog, ImportThatLosesThePrinterHalfwayChangesNothing) {
  const ProfileFile file(L"velmo-dialog-drop.profile");
  peers.firmware.unplug_after_writes = 3;
  ImportProfile(file, "PRINT_MODE=1\nAUTO_FEED=0\nAUTO_REPRINT=1\nPRINT_ONLY_ONE_PAGE=1\n");
  ASSERT_EQ(peers.refusals.size(), 1u);
  EXPECT_NE(peers.refusals[0].find(L"were put back; nothing was changed"), std::wstring::npos) << peers.refusals[0];
  EXPECT_EQ(std::get<int32_t>(*peers.firmware.Current("PRINT_MODE")), 0);
  EXPECT_EQ(std::get<int32_t>(*peers.firmware.Current("AUTO_FEED")), 1);
  EXPECT_TRUE(peers.unsaved.empty());
  EXPECT_EQ(peers.firmware.restarts, 0);
  ExpectReconnectsAfterRestart(3000);
  form->ButtonImportClick(*form->ButtonImport);
  ExpectReconnectsAfterRestart(2000);
  EXPECT_EQ(form->LabelSaveResult->Caption(), L"Last save took.");
  EXPECT_EQ(std::get<int32_t>(*peers.firmware.Current("PRINT_ONLY_ONE_PAGE")), 1);
}

// With VELMO_PICTURES_DIR set: shows the dialog with real timers, measures
// the time from showing to the printer's beep, and saves a picture of every
// tab, connected, in the language that LANG chooses.
TEST_F(PrinterConfigDialog, PicturesOfEveryTabConnected) {
  const char* dir = std::getenv("VELMO_PICTURES_DIR");
  if (!dir) GTEST_SKIP() << "VELMO_PICTURES_DIR not set";
  const bool english = std::getenv("VELMO_PICTURES_ENGLISH") != nullptr;
  Create(english);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  form->Show();
  ASSERT_TRUE(toolkit::test::PumpUntil([&] { return peers.firmware.beeps == 1; }, 5000));
  QueryPerformanceCounter(&end);
  std::printf("show to beep: %.1f ms\n", 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  const std::wstring folder(dir, dir + std::strlen(dir));
  for (toolkit::TabSheet* sheet : form->PageControlPrint->Sheets()) {
    form->PageControlPrint->SetActivePage(sheet);
    toolkit::test::PumpUntil([] { return false; }, 300);
    const std::wstring path = folder + L"\\printer-config-" + (english ? L"en-" : L"zh-") + sheet->Name() + L".bmp";
    EXPECT_TRUE(toolkit::test::SaveWindowPicture(form->Handle(), path));
  }
  form->Close();
}

}  // namespace
}  // namespace velmo
