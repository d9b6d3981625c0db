// frmPrinterConfig's behaviour: the read sequence, the four save sequences,
// the commands and the enabling of the device controls.
#include "printer_config_form_win.h"

#include <array>
#include <utility>

#include "english_mode.h"
#include "label_win.h"
#include "mnemonic.h"
#include "printer_apply.h"
#include "printer_config_peers_win.h"
#include "printer_settings.h"
#include "profile_file_win.h"
#include "text_win.h"
#include "usb_frame.h"

namespace velmo {

using toolkit::Component;

namespace {

constexpr UINT kShowDelayMs = 100, kRetryMs = 2000, kRestartWaitMs = 3000;
// A user's command waits this long for another program to let go of the
// printer; the dialog's own timed read does not wait at all.
constexpr unsigned kUserHoldWaitMs = 2000;

std::wstring Wide(const std::string& ansi) { return WidenAnsi(ansi); }

class DialogWaiter : public PrinterWaiter {
 public:
  explicit DialogWaiter(PrinterConfigPeers& peers) : peers_(peers) {}
  uint64_t NowMs() override { return peers_.NowMs(); }
  void Sleep(uint32_t ms) override { peers_.Sleep(ms); }
  bool IsPresent() override { return peers_.IsPrinterPresent(peers_.PrinterName()); }

 private:
  PrinterConfigPeers& peers_;
};

}  // namespace

void TfrmPrinterConfig::FormShow(Component&) {
  DisableConfigControls();
  TimerShow->SetInterval(kShowDelayMs);
  TimerShow->SetEnabled(true);
}

// Stopping the reconnect wait too keeps a hidden dialog from reading and
// beeping once the printer is back.
void TfrmPrinterConfig::FormClose(Component&) {
  TimerShow->SetEnabled(false);
  TimerReconnect->SetEnabled(false);
}

void TfrmPrinterConfig::TimerShowTimer(Component&) {
  TimerShow->SetInterval(kRetryMs);
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  // While another program works on the printer, the next attempt comes in 2 s.
  const auto hold = peers.HoldPrinter(peers.PrinterName(), 0);
  if (!hold) return;
  UsbCmd = std::make_unique<TUsbPrnCmd>(peers.PrinterName(), peers.Ports());
  const auto settings = ReadPrinterSettings(*UsbCmd);
  if (!settings) return;
  shown_ = settings;
  ShowSettings(*settings);
  EnableConfigControls();
  (void)UsbCmd->RunCommand("beep");
  TimerShow->SetEnabled(false);
  if (!expected_.empty()) {
    const size_t not_taken = DiffProfile(expected_, *settings, codec_, false).size();
    if (not_taken) {
      ShowSaveState(SaveState::kNotTaken, not_taken);
    } else {
      ShowSaveState(save_confirmed_ ? SaveState::kTook : SaveState::kNotConfirmed);
    }
    expected_.clear();
    // Back from its restart, the printer holds what it saved: no write is pending.
    peers.UnsavedWritesOf(peers.PrinterName())->Set({});
  }
}

// A read that failed shows what the read gives on failure: 0, the empty
// text, 0.0.0.0; the mode buttons and the check boxes keep their state.
void TfrmPrinterConfig::ShowSettings(const PrinterSettings& settings) {
  const DarknessRange range = PrinterDarknessRange(settings);
  TrackBarDarkness->SetMin(range.min);
  TrackBarDarkness->SetMax(range.max);
  TrackBarDarkness->SetPosition(settings.Int("PRINT_DARKNESS").value_or(0));
  TrackBarDarknessChange(*TrackBarDarkness);

  if (const auto mode = settings.Int("PRINT_MODE")) {
    if (*mode == 0) RadioButtonPrintModeNormal->SetChecked(true);
    if (*mode == 1) RadioButtonPrintModeFast->SetChecked(true);
    if (*mode == 2) RadioButtonPrintModePrecise->SetChecked(true);
  }
  for (auto [key, box] : {std::pair{"AUTO_FEED", CheckBoxAutoFeed}, std::pair{"AUTO_REPRINT", CheckBoxAutoReprint},
                          std::pair{"PRINT_ONLY_ONE_PAGE", CheckBoxOnlyOnePage}}) {
    if (const auto value = settings.Int(key)) box->SetChecked(*value != 0);
  }

  if (settings.Has(*FindSettingKey("BLUETOOTH_NAME"))) {
    TabSheetBT->SetTabVisible(true);
    LabeledEditBluetoothName->SetText(Wide(settings.Text("BLUETOOTH_NAME")));
    LabeledEditBluetoothPassword->SetText(Wide(settings.Text("BLUETOOTH_PASSWORD")));
    LabeledEditBluetoothBleName->SetText(Wide(settings.Text("BLUETOOTH_NAME_LE")));
    LabeledEditBluetoothBlePassword->SetText(Wide(settings.Text("BLUETOOTH_PASSWORD_LE")));
  }
  if (settings.Has(*FindSettingKey("LAN_CONFIG_IPADDRESS"))) {
    TabSheetNet->SetTabVisible(true);
    ShowAddress(settings, "LAN_CONFIG_IPADDRESS", CheckBoxLanIpDhcp, *LabeledEditLanIpAddress);
    ShowAddress(settings, "LAN_CONFIG_NETMASK", nullptr, *LabeledEditLanNetmask);
    ShowAddress(settings, "LAN_CONFIG_GATEWAY", nullptr, *LabeledEditLanGateway);
  }
  if (settings.Has(*FindSettingKey("WIFI_CONFIG_SSID"))) {
    TabSheetWifi->SetTabVisible(true);
    LabeledEditWifiSSID->SetText(Wide(settings.Text("WIFI_CONFIG_SSID")));
    LabeledEditWifiPassword->SetText(Wide(settings.Text("WIFI_CONFIG_PASSWORD")));
    ShowAddress(settings, "WIFI_CONFIG_IPADDRESS", CheckBoxWifiIpDhcp, *LabeledEditWifiIpAddress);
    ShowAddress(settings, "WIFI_CONFIG_NETMASK", nullptr, *LabeledEditWifiNetmask);
    ShowAddress(settings, "WIFI_CONFIG_GATEWAY", nullptr, *LabeledEditWifiGateway);
  }
  LabeledEditModelName->SetText(Wide(settings.ModelName()));
  LabeledEditFirmwareVersion->SetText(Wide(settings.FirmwareVersion()));
}

void TfrmPrinterConfig::ShowAddress(const PrinterSettings& settings, std::string_view key, toolkit::CheckBox* dhcp,
                                    toolkit::LabeledEdit& edit) {
  const SettingValue* value = settings.Find(key);
  const AddressBytes bytes = value ? std::get<AddressBytes>(*value) : AddressBytes{};
  edit.SetText(Wide(AddressText(bytes)));
  if (dhcp) dhcp->SetChecked(IsDhcpAddress(bytes));
}

void TfrmPrinterConfig::TimerReconnectTimer(Component&) {
  reconnect_waited_ms_ += TimerReconnect->Interval();
  TimerReconnect->SetInterval(kRetryMs);
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  if (!peers.IsPrinterPresent(peers.PrinterName())) {
    // The wait goes on, in case it is only slow, but the line stops promising.
    if (!expected_.empty() && reconnect_waited_ms_ >= kPrinterReturnTimeoutMs) ShowSaveState(SaveState::kDidNotReturn);
    return;
  }
  TimerReconnect->SetEnabled(false);
  FormShow(*this);
}

void TfrmPrinterConfig::ButtonCloseClick(Component&) { Close(); }

void TfrmPrinterConfig::TrackBarDarknessChange(Component&) {
  LabelPrintDarkness->SetCaption(DarknessText(IsEnglish(), TrackBarDarkness->Position()));
}

void TfrmPrinterConfig::RadioButtonPrintModeFastClick(Component&) {}
void TfrmPrinterConfig::CheckBoxAutoFeedClick(Component&) {}
void TfrmPrinterConfig::CheckBoxAutoReprintClick(Component&) {}
void TfrmPrinterConfig::CheckBoxOnlyOnePageClick(Component&) {}

void TfrmPrinterConfig::CheckBoxLanIpDhcpClick(Component&) {
  const bool dhcp = CheckBoxLanIpDhcp->Checked();
  if (dhcp) LabeledEditLanIpAddress->SetText(L"0.0.0.0");
  for (auto* edit : {LabeledEditLanIpAddress, LabeledEditLanNetmask, LabeledEditLanGateway}) edit->SetEnabled(!dhcp);
}

void TfrmPrinterConfig::CheckBoxWifiIpDhcpClick(Component&) {
  const bool dhcp = CheckBoxWifiIpDhcp->Checked();
  if (dhcp) LabeledEditWifiIpAddress->SetText(L"0.0.0.0");
  for (auto* edit : {LabeledEditWifiIpAddress, LabeledEditWifiNetmask, LabeledEditWifiGateway}) {
    edit->SetEnabled(!dhcp);
  }
}

AddressBytes TfrmPrinterConfig::TakeAddress(toolkit::LabeledEdit& edit) {
  const AddressBytes bytes = ParseAddressText(NarrowToAnsi(edit.Text()));
  edit.SetText(Wide(AddressText(bytes)));
  return bytes;
}

bool TfrmPrinterConfig::TakeText(toolkit::LabeledEdit& edit, std::string_view key, std::string& text) {
  text = NarrowToAnsi(edit.Text());
  if (BuildWriteText(key, text)) return true;
  const std::wstring field = toolkit::SpokenCaption(edit.EditLabel().Caption());
  CurrentPrinterConfigPeers().ShowRefusal(Handle(), TextTooLongMessage(IsEnglish(), field));
  return false;
}

void TfrmPrinterConfig::Button2Click(Component&) {
  if (!UsbCmd) return;
  const auto hold = HoldForUser();
  if (!hold || ChangedElsewhere()) return;
  (void)UsbCmd->SetInt("PRINT_DARKNESS", TrackBarDarkness->Position());
  const int32_t mode = RadioButtonPrintModePrecise->Checked() ? 2 : RadioButtonPrintModeFast->Checked() ? 1 : 0;
  (void)UsbCmd->SetInt("PRINT_MODE", mode);
  (void)UsbCmd->SetInt("AUTO_FEED", CheckBoxAutoFeed->Checked() ? 1 : 0);
  (void)UsbCmd->SetInt("AUTO_REPRINT", CheckBoxAutoReprint->Checked() ? 1 : 0);
  (void)UsbCmd->SetInt("PRINT_ONLY_ONE_PAGE", CheckBoxOnlyOnePage->Checked() ? 1 : 0);
  Expect("PRINT_DARKNESS", TrackBarDarkness->Position());
  Expect("PRINT_MODE", mode);
  Expect("AUTO_FEED", CheckBoxAutoFeed->Checked() ? 1 : 0);
  Expect("AUTO_REPRINT", CheckBoxAutoReprint->Checked() ? 1 : 0);
  Expect("PRINT_ONLY_ONE_PAGE", CheckBoxOnlyOnePage->Checked() ? 1 : 0);
  SaveAndRestart("reg_value_save");
}

void TfrmPrinterConfig::ButtonBtConfigSaveClick(Component&) {
  if (!UsbCmd) return;
  const std::array<std::pair<std::string_view, toolkit::LabeledEdit*>, 4> fields{{
      {"BLUETOOTH_NAME", LabeledEditBluetoothName},
      {"BLUETOOTH_PASSWORD", LabeledEditBluetoothPassword},
      {"BLUETOOTH_NAME_LE", LabeledEditBluetoothBleName},
      {"BLUETOOTH_PASSWORD_LE", LabeledEditBluetoothBlePassword},
  }};
  std::array<std::string, 4> texts;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!TakeText(*fields[i].second, fields[i].first, texts[i])) return;
  }
  const auto hold = HoldForUser();
  if (!hold || ChangedElsewhere()) return;
  for (size_t i = 0; i < fields.size(); ++i) {
    (void)UsbCmd->SetString(fields[i].first, texts[i]);
    Expect(fields[i].first, texts[i]);
  }
  SaveAndRestart("bt_config_save");
}

void TfrmPrinterConfig::Button1Click(Component&) {
  if (!UsbCmd) return;
  const auto hold = HoldForUser();
  if (!hold || ChangedElsewhere()) return;
  const AddressBytes address = TakeAddress(*LabeledEditLanIpAddress);
  const AddressBytes netmask = TakeAddress(*LabeledEditLanNetmask);
  const AddressBytes gateway = TakeAddress(*LabeledEditLanGateway);
  (void)UsbCmd->SetBytes("LAN_CONFIG_IPADDRESS", address);
  (void)UsbCmd->SetBytes("LAN_CONFIG_NETMASK", netmask);
  (void)UsbCmd->SetBytes("LAN_CONFIG_GATEWAY", gateway);
  Expect("LAN_CONFIG_IPADDRESS", address);
  Expect("LAN_CONFIG_NETMASK", netmask);
  Expect("LAN_CONFIG_GATEWAY", gateway);
  SaveAndRestart("reg_value_save");
}

void TfrmPrinterConfig::ButtonSaveWifiConfigClick(Component&) {
  if (!UsbCmd) return;
  std::string ssid, password;
  if (!TakeText(*LabeledEditWifiSSID, "WIFI_CONFIG_SSID", ssid)) return;
  if (!TakeText(*LabeledEditWifiPassword, "WIFI_CONFIG_PASSWORD", password)) return;
  const auto hold = HoldForUser();
  if (!hold || ChangedElsewhere()) return;
  const AddressBytes address = TakeAddress(*LabeledEditWifiIpAddress);
  const AddressBytes netmask = TakeAddress(*LabeledEditWifiNetmask);
  const AddressBytes gateway = TakeAddress(*LabeledEditWifiGateway);
  (void)UsbCmd->SetString("WIFI_CONFIG_SSID", ssid);
  (void)UsbCmd->SetString("WIFI_CONFIG_PASSWORD", password);
  (void)UsbCmd->SetBytes("WIFI_CONFIG_IPADDRESS", address);
  (void)UsbCmd->SetBytes("WIFI_CONFIG_NETMASK", netmask);
  (void)UsbCmd->SetBytes("WIFI_CONFIG_GATEWAY", gateway);
  Expect("WIFI_CONFIG_SSID", ssid);
  Expect("WIFI_CONFIG_PASSWORD", password);
  Expect("WIFI_CONFIG_IPADDRESS", address);
  Expect("WIFI_CONFIG_NETMASK", netmask);
  Expect("WIFI_CONFIG_GATEWAY", gateway);
  SaveAndRestart("reg_value_save");
}

// Outcomes go unexamined here: the read after the printer's return shows
// what it really holds, and the save line says whether that is what was saved.
void TfrmPrinterConfig::SaveAndRestart(std::string_view save_command) {
  const bool saved = UsbCmd->RunSaveCommand(save_command);
  save_confirmed_ = UsbCmd->RunCommand("power_reset") && saved;
  DisableConfigControls();
  StartReconnectWait(kRetryMs);
  ShowSaveState(SaveState::kWaiting);
}

void TfrmPrinterConfig::StartReconnectWait(UINT first_wait_ms) {
  reconnect_waited_ms_ = 0;
  TimerReconnect->SetInterval(first_wait_ms);
  TimerReconnect->SetEnabled(true);
}

std::unique_ptr<PrinterHold> TfrmPrinterConfig::HoldForUser() {
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  auto hold = peers.HoldPrinter(peers.PrinterName(), kUserHoldWaitMs);
  if (!hold) peers.ShowRefusal(Handle(), PrinterInUseMessage(IsEnglish()));
  return hold;
}

// A printer that does not answer now gets the writes anyway, as it always
// did: they fail, and the wait for the printer shows what it holds.
bool TfrmPrinterConfig::ChangedElsewhere() {
  const auto now = ReadPrinterSettings(*UsbCmd);
  if (!now || (shown_ && now->values == shown_->values)) return false;
  shown_ = now;
  ShowSettings(*now);
  EnableConfigControls();
  CurrentPrinterConfigPeers().ShowRefusal(Handle(), ChangedElsewhereMessage(IsEnglish()));
  return true;
}

void TfrmPrinterConfig::Expect(std::string_view key, SettingValue value) {
  expected_.push_back({{FindSettingKey(key), std::move(value)}, 0});
}

void TfrmPrinterConfig::ShowSaveState(SaveState state, size_t not_taken) {
  LabelSaveResult->SetCaption(SaveStateText(IsEnglish(), state, not_taken));
}

void TfrmPrinterConfig::ButtonExportClick(Component&) {
  if (!UsbCmd) return;
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  std::optional<PrinterSettings> settings;
  {
    // Held for the read only, not while the user picks a file.
    const auto hold = HoldForUser();
    if (!hold) return;
    settings = ReadPrinterSettings(*UsbCmd);
  }
  if (!settings) return peers.ShowRefusal(Handle(), PrinterNoAnswerMessage(IsEnglish()));
  const auto path = peers.ChooseProfileFile(Handle(), true);
  if (!path) return;
  // Passwords stay out of a file made from the dialog.
  if (!WriteProfileFile(*path, FormatProfile(*settings, codec_, LocalDateTimeText(), {}))) {
    return peers.ShowRefusal(Handle(), FileNotWrittenMessage(IsEnglish()));
  }
  ShowSaveState(SaveState::kExported);
}

// What differs is written, stored and the printer restarted, as a save button
// does; the read after the printer's return checks every setting of the
// profile. An import the printer drops out of halfway is put back, or what it
// left unsaved is recorded for the next import to save.
void TfrmPrinterConfig::ButtonImportClick(Component&) {
  if (!UsbCmd) return;
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  const auto path = peers.ChooseProfileFile(Handle(), false);
  if (!path) return;
  const auto text = ReadProfileFile(*path, kMaxProfileBytes + 1);
  if (!text) return RefuseProfile({ProblemAt(0, ProfileProblem::kCannotRead)});
  ParsedProfile profile = ParseProfileFile(*text, codec_);
  if (!profile.errors.empty()) return RefuseProfile(profile.errors);
  const auto hold = HoldForUser();
  if (!hold) return;
  DialogWaiter waiter(peers);
  const auto unsaved = peers.UnsavedWritesOf(peers.PrinterName());
  ApplyOptions options;
  options.verify = false;
  options.model = profile.model;
  const ApplyResult result = ApplySettings(*UsbCmd, profile.entries, waiter, *unsaved, codec_, options);
  switch (result.status) {
    case ApplyStatus::kRefused:
      return RefuseProfile(result.errors);
    case ApplyStatus::kNothingToChange:
      return ShowSaveState(SaveState::kNothingToChange);
    case ApplyStatus::kNoAnswer:
      if (result.step == ApplyStep::kRead) return peers.ShowRefusal(Handle(), PrinterNoAnswerMessage(IsEnglish()));
      if (result.step == ApplyStep::kWrite) {
        std::wstring keys;
        for (const std::string& key : result.left_unsaved) keys += (keys.empty() ? L"" : L", ") + Wide(key);
        peers.ShowRefusal(Handle(), ImportInterruptedMessage(IsEnglish(), result.put_back, keys));
        return RestartAndWait();
      }
      save_confirmed_ = false;  // the save or the restart went unanswered
      break;
    default:
      save_confirmed_ = true;
      break;
  }
  expected_ = std::move(profile.entries);
  DisableConfigControls();
  StartReconnectWait(kRetryMs);
  ShowSaveState(SaveState::kWaiting);
}

void TfrmPrinterConfig::RefuseProfile(const std::vector<ProfileError>& errors) {
  constexpr size_t kShown = 10;
  const bool english = IsEnglish();
  std::wstring text = ProfileRefusedHeading(english);
  for (size_t i = 0; i < errors.size() && i < kShown; ++i) {
    text += L"\n";
    if (errors[i].line) {
      text += (english ? L"line " : L"第 ") + std::to_wstring(errors[i].line) + (english ? L": " : L" 行: ");
    }
    text += ProfileProblemText(english, errors[i], WidenUtf8(errors[i].detail), WidenUtf8(errors[i].other));
  }
  if (errors.size() > kShown) text += L"\n...";
  CurrentPrinterConfigPeers().ShowRefusal(Handle(), text);
}

void TfrmPrinterConfig::Button3Click(Component&) {
  LabeledEditWifiSSID->SetText(L"");
  LabeledEditWifiPassword->SetText(L"");
}

void TfrmPrinterConfig::ButtonPrintSelftestClick(Component&) {
  if (!UsbCmd) return;
  if (const auto hold = HoldForUser()) (void)UsbCmd->RunCommand("ui_prn_selftest");
}

void TfrmPrinterConfig::ButtonPowerResetClick(Component&) {
  if (!UsbCmd) return;
  const auto hold = HoldForUser();
  if (!hold) return;
  (void)UsbCmd->RunCommand("power_reset");
  RestartAndWait();
}

void TfrmPrinterConfig::ButtonRegRestoreDefaultClick(Component&) {
  if (!UsbCmd) return;
  const auto hold = HoldForUser();
  if (!hold) return;
  (void)UsbCmd->RunCommand("reg_restore_default");
  (void)UsbCmd->RunCommand("power_reset");
  RestartAndWait();
}

void TfrmPrinterConfig::RestartAndWait() {
  expected_.clear();
  DisableConfigControls();
  StartReconnectWait(kRestartWaitMs);
}

void TfrmPrinterConfig::SetControlsEnabled(toolkit::Container& control, bool enabled) {
  for (toolkit::Control* child : control.Children()) {
    child->SetEnabled(enabled);
    if (auto* inner = dynamic_cast<toolkit::Container*>(child)) SetControlsEnabled(*inner, enabled);
  }
}

void TfrmPrinterConfig::DisableConfigControls() {
  for (auto* sheet : {TabSheetBT, TabSheetNet, TabSheetWifi}) sheet->SetEnabled(false);
  SetControlsEnabled(*PageControlPrint, false);
  for (auto* button : {ButtonRegRestoreDefault, ButtonPrintSelftest, ButtonPowerReset, ButtonExport, ButtonImport}) {
    button->SetEnabled(false);
  }
}

void TfrmPrinterConfig::EnableConfigControls() {
  SetControlsEnabled(*PageControlPrint, true);
  CheckBoxWifiIpDhcpClick(*CheckBoxWifiIpDhcp);
  CheckBoxLanIpDhcpClick(*CheckBoxLanIpDhcp);
  for (auto* button : {ButtonRegRestoreDefault, ButtonPrintSelftest, ButtonPowerReset, ButtonExport, ButtonImport}) {
    button->SetEnabled(true);
  }
}

}  // namespace velmo
