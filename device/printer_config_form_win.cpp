// frmPrinterConfig's behaviour: the read sequence, the four save sequences,
// the commands and the enabling of the device controls.
#include "printer_config_form_win.h"

#include <array>
#include <utility>

#include "ansi_text_win.h"
#include "english_mode.h"
#include "label_win.h"
#include "printer_config_peers_win.h"
#include "printer_settings.h"
#include "profile_file_win.h"
#include "usb_frame.h"

namespace velmo {

using toolkit::Component;

namespace {

constexpr UINT kShowDelayMs = 100, kRetryMs = 2000, kRestartWaitMs = 3000;

std::wstring Wide(const std::string& ansi) { return WidenAnsi(ansi); }

std::wstring WideFromUtf8(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

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
  UsbCmd = std::make_unique<TUsbPrnCmd>(peers.PrinterName(), peers.Ports());
  const auto settings = ReadPrinterSettings(*UsbCmd);
  if (!settings) return;
  ShowSettings(*settings);
  EnableConfigControls();
  (void)UsbCmd->RunCommand("beep");
  TimerShow->SetEnabled(false);
  if (!expected_.empty()) {
    const size_t not_taken = DiffProfile(expected_, *settings, codec_).size();
    ShowSaveState(not_taken == 0 ? SaveState::kTook : SaveState::kNotTaken, not_taken);
    expected_.clear();
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
  TimerReconnect->SetInterval(kRetryMs);
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  if (!peers.IsPrinterPresent(peers.PrinterName())) return;
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
  CurrentPrinterConfigPeers().ShowRefusal(Handle(), TextTooLongMessage(IsEnglish(), edit.EditLabel().Caption()));
  return false;
}

void TfrmPrinterConfig::Button2Click(Component&) {
  if (!UsbCmd) return;
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
  for (size_t i = 0; i < fields.size(); ++i) {
    (void)UsbCmd->SetString(fields[i].first, texts[i]);
    Expect(fields[i].first, texts[i]);
  }
  SaveAndRestart("bt_config_save");
}

void TfrmPrinterConfig::Button1Click(Component&) {
  if (!UsbCmd) return;
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
  (void)UsbCmd->RunSaveCommand(save_command);
  (void)UsbCmd->RunCommand("power_reset");
  DisableConfigControls();
  TimerReconnect->SetEnabled(true);
  ShowSaveState(SaveState::kWaiting);
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
  const auto settings = ReadPrinterSettings(*UsbCmd);
  if (!settings) return peers.ShowRefusal(Handle(), PrinterNoAnswerMessage(IsEnglish()));
  const auto path = peers.ChooseProfileFile(Handle(), true);
  if (!path) return;
  // Passwords stay out of a file made from the dialog.
  if (!WriteProfileFile(*path, FormatProfile(*settings, codec_, LocalDateTimeText(), false))) {
    return peers.ShowRefusal(Handle(), FileNotWrittenMessage(IsEnglish()));
  }
  ShowSaveState(SaveState::kExported);
}

// As a save button does, for what differs: write, store, restart and wait;
// the read after the printer's return checks every setting of the profile.
void TfrmPrinterConfig::ButtonImportClick(Component&) {
  if (!UsbCmd) return;
  PrinterConfigPeers& peers = CurrentPrinterConfigPeers();
  const auto path = peers.ChooseProfileFile(Handle(), false);
  if (!path) return;
  const auto text = ReadProfileFile(*path, kMaxProfileBytes + 1);
  if (!text) return RefuseProfile({{0, "cannot be read"}});
  ParsedProfile profile = ParseProfile(*text, codec_);
  if (!profile.errors.empty()) return RefuseProfile(profile.errors);
  const auto settings = ReadPrinterSettings(*UsbCmd);
  if (!settings) return peers.ShowRefusal(Handle(), PrinterNoAnswerMessage(IsEnglish()));
  const auto errors = CheckProfileForPrinter(profile.entries, *settings);
  if (!errors.empty()) return RefuseProfile(errors);
  std::vector<SettingWrite> writes;
  for (const SettingDifference& difference : DiffProfile(profile.entries, *settings, codec_)) {
    writes.push_back(difference.entry->setting);
  }
  if (writes.empty()) return ShowSaveState(SaveState::kNothingToChange);
  (void)WriteSaveAndRestart(*UsbCmd, writes);
  expected_ = std::move(profile.entries);
  DisableConfigControls();
  TimerReconnect->SetEnabled(true);
  ShowSaveState(SaveState::kWaiting);
}

void TfrmPrinterConfig::RefuseProfile(const std::vector<ProfileError>& errors) {
  constexpr size_t kShown = 10;
  std::wstring text = ProfileRefusedHeading(IsEnglish());
  for (size_t i = 0; i < errors.size() && i < kShown; ++i) {
    text += L"\n";
    if (errors[i].line) text += (IsEnglish() ? L"line " : L"第 ") + std::to_wstring(errors[i].line) +
                                (IsEnglish() ? L": " : L" 行: ");
    text += WideFromUtf8(errors[i].message);
  }
  if (errors.size() > kShown) text += L"\n...";
  CurrentPrinterConfigPeers().ShowRefusal(Handle(), text);
}

void TfrmPrinterConfig::Button3Click(Component&) {
  LabeledEditWifiSSID->SetText(L"");
  LabeledEditWifiPassword->SetText(L"");
}

void TfrmPrinterConfig::ButtonPrintSelftestClick(Component&) {
  if (UsbCmd) (void)UsbCmd->RunCommand("ui_prn_selftest");
}

void TfrmPrinterConfig::ButtonPowerResetClick(Component&) {
  if (!UsbCmd) return;
  (void)UsbCmd->RunCommand("power_reset");
  RestartAndWait();
}

void TfrmPrinterConfig::ButtonRegRestoreDefaultClick(Component&) {
  if (!UsbCmd) return;
  (void)UsbCmd->RunCommand("reg_restore_default");
  (void)UsbCmd->RunCommand("power_reset");
  RestartAndWait();
}

void TfrmPrinterConfig::RestartAndWait() {
  expected_.clear();
  DisableConfigControls();
  TimerReconnect->SetInterval(kRestartWaitMs);
  TimerReconnect->SetEnabled(true);
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
