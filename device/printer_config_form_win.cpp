// frmPrinterConfig's behaviour: the read sequence, the four save sequences,
// the commands and the enabling of the device controls.
#include "printer_config_form_win.h"

#include <array>
#include <utility>

#include "ansi_text_win.h"
#include "english_mode.h"
#include "label_win.h"
#include "printer_config_peers_win.h"
#include "usb_frame.h"

namespace velmo {

using toolkit::Component;

namespace {

constexpr UINT kShowDelayMs = 100, kRetryMs = 2000, kRestartWaitMs = 3000;

std::wstring Wide(const std::string& ansi) { return WidenAnsi(ansi); }

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
  TUsbPrnCmd& cmd = *UsbCmd;
  if (!cmd.GetInt("PRINT_DARKNESS_SIZE")) return;

  int32_t size = 0;
  (void)cmd.GetInt("PRINT_DARKNESS_SIZE", &size);
  const DarknessRange range = DarknessRangeForSize(size);
  TrackBarDarkness->SetMin(range.min);
  TrackBarDarkness->SetMax(range.max);
  int32_t darkness = 0;
  (void)cmd.GetInt("PRINT_DARKNESS", &darkness);
  TrackBarDarkness->SetPosition(darkness);
  TrackBarDarknessChange(*TrackBarDarkness);

  int32_t value = 0;
  if (cmd.GetInt("PRINT_MODE", &value)) {
    if (value == 0) RadioButtonPrintModeNormal->SetChecked(true);
    if (value == 1) RadioButtonPrintModeFast->SetChecked(true);
    if (value == 2) RadioButtonPrintModePrecise->SetChecked(true);
  }
  for (auto [key, box] : {std::pair{"AUTO_FEED", CheckBoxAutoFeed}, std::pair{"AUTO_REPRINT", CheckBoxAutoReprint},
                          std::pair{"PRINT_ONLY_ONE_PAGE", CheckBoxOnlyOnePage}}) {
    if (cmd.GetInt(key, &value)) box->SetChecked(value != 0);
  }

  if (cmd.GetInt("BT_ENABLED", &value) && value != 0) {
    TabSheetBT->SetTabVisible(true);
    std::array<std::string, 4> texts;
    (void)cmd.GetString("BLUETOOTH_NAME", &texts[0]);
    (void)cmd.GetString("BLUETOOTH_PASSWORD", &texts[1]);
    (void)cmd.GetString("BLUETOOTH_NAME_LE", &texts[2]);
    (void)cmd.GetString("BLUETOOTH_PASSWORD_LE", &texts[3]);
    LabeledEditBluetoothName->SetText(Wide(texts[0]));
    LabeledEditBluetoothPassword->SetText(Wide(texts[1]));
    LabeledEditBluetoothBleName->SetText(Wide(texts[2]));
    LabeledEditBluetoothBlePassword->SetText(Wide(texts[3]));
  }

  if (cmd.GetInt("LAN_ENABLED", &value) && value != 0) {
    TabSheetNet->SetTabVisible(true);
    std::array<std::string, 3> addresses;
    ReadAddress("LAN_CONFIG_IPADDRESS", CheckBoxLanIpDhcp, addresses[0]);
    ReadAddress("LAN_CONFIG_NETMASK", nullptr, addresses[1]);
    ReadAddress("LAN_CONFIG_GATEWAY", nullptr, addresses[2]);
    LabeledEditLanIpAddress->SetText(Wide(addresses[0]));
    LabeledEditLanNetmask->SetText(Wide(addresses[1]));
    LabeledEditLanGateway->SetText(Wide(addresses[2]));
  }

  if (cmd.GetInt("WIFI_ENABLED", &value) && value != 0) {
    TabSheetWifi->SetTabVisible(true);
    std::string ssid, password;
    (void)cmd.GetString("WIFI_CONFIG_SSID", &ssid);
    (void)cmd.GetString("WIFI_CONFIG_PASSWORD", &password);
    std::array<std::string, 3> addresses;
    ReadAddress("WIFI_CONFIG_IPADDRESS", CheckBoxWifiIpDhcp, addresses[0]);
    ReadAddress("WIFI_CONFIG_NETMASK", nullptr, addresses[1]);
    ReadAddress("WIFI_CONFIG_GATEWAY", nullptr, addresses[2]);
    LabeledEditWifiSSID->SetText(Wide(ssid));
    LabeledEditWifiPassword->SetText(Wide(password));
    LabeledEditWifiIpAddress->SetText(Wide(addresses[0]));
    LabeledEditWifiNetmask->SetText(Wide(addresses[1]));
    LabeledEditWifiGateway->SetText(Wide(addresses[2]));
  }

  std::string model, version, command_version;
  (void)cmd.GetString("OEM_MODELNAME", &model);
  (void)cmd.GetString("VERSION", &version);
  (void)cmd.GetString("VERSION_CMD", &command_version);
  LabeledEditModelName->SetText(Wide(model));
  LabeledEditFirmwareVersion->SetText(Wide(FirmwareVersionText(version, command_version)));

  EnableConfigControls();
  (void)cmd.RunCommand("beep");
  TimerShow->SetEnabled(false);
}

void TfrmPrinterConfig::ReadAddress(std::string_view key, toolkit::CheckBox* dhcp, std::string& text) {
  AddressBytes bytes{};
  (void)UsbCmd->GetBytes(key, bytes);
  text = AddressText(bytes);
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
  for (size_t i = 0; i < fields.size(); ++i) (void)UsbCmd->SetString(fields[i].first, texts[i]);
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
  SaveAndRestart("reg_value_save");
}

// Outcomes go unexamined: the next read shows what the printer really holds.
void TfrmPrinterConfig::SaveAndRestart(std::string_view save_command) {
  (void)UsbCmd->RunSaveCommand(save_command);
  (void)UsbCmd->RunCommand("power_reset");
  DisableConfigControls();
  TimerReconnect->SetEnabled(true);
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
  for (auto* button : {ButtonRegRestoreDefault, ButtonPrintSelftest, ButtonPowerReset}) button->SetEnabled(false);
}

void TfrmPrinterConfig::EnableConfigControls() {
  SetControlsEnabled(*PageControlPrint, true);
  CheckBoxWifiIpDhcpClick(*CheckBoxWifiIpDhcp);
  CheckBoxLanIpDhcpClick(*CheckBoxLanIpDhcp);
  for (auto* button : {ButtonRegRestoreDefault, ButtonPrintSelftest, ButtonPowerReset}) button->SetEnabled(true);
}

}  // namespace velmo
