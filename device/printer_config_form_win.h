#pragma once
// frmPrinterConfig: the dialog for the settings stored in the printer. It
// keeps no connection: it reads everything shortly after showing, retrying
// every 2 s, and each save writes its tab, restarts the printer and waits
// for it to come back.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_codec_win.h"
#include "printer_config_values.h"
#include "printer_hold.h"
#include "printer_profile.h"
#include "toolkit_win.h"
#include "usb_prn_cmd.h"

namespace velmo {

class TfrmPrinterConfig : public toolkit::Form {
 public:
  TfrmPrinterConfig();
  ~TfrmPrinterConfig() override;

  toolkit::PageControl* PageControlPrint;
  // Below the pages: the profile row above the button row.
  toolkit::Panel* PanelBottom;
  // Profiles: export and import through a file dialog, and whether the last
  // save took.
  toolkit::Panel* Panel3;
  toolkit::Button* ButtonExport;
  toolkit::Button* ButtonImport;
  toolkit::Label* LabelSaveResult;
  toolkit::Panel* Panel1;
  toolkit::Button* ButtonPowerReset;
  toolkit::Button* ButtonPrintSelftest;
  toolkit::Button* ButtonRegRestoreDefault;
  toolkit::Button* ButtonClose;

  toolkit::TabSheet* TabSheetPrint;
  toolkit::Label* LabelPrintDarkness;
  toolkit::TrackBar* TrackBarDarkness;
  toolkit::Label* LabelPrintMode;
  toolkit::Panel* Panel2;
  toolkit::RadioButton* RadioButtonPrintModeNormal;
  toolkit::RadioButton* RadioButtonPrintModeFast;
  toolkit::RadioButton* RadioButtonPrintModePrecise;
  toolkit::CheckBox* CheckBoxAutoFeed;
  toolkit::CheckBox* CheckBoxAutoReprint;
  toolkit::CheckBox* CheckBoxOnlyOnePage;
  toolkit::Button* Button2;

  toolkit::TabSheet* TabSheetBT;
  toolkit::LabeledEdit* LabeledEditBluetoothName;
  toolkit::LabeledEdit* LabeledEditBluetoothPassword;
  toolkit::LabeledEdit* LabeledEditBluetoothBleName;
  toolkit::LabeledEdit* LabeledEditBluetoothBlePassword;
  toolkit::Button* ButtonBtConfigSave;

  toolkit::TabSheet* TabSheetNet;
  toolkit::LabeledEdit* LabeledEditLanIpAddress;
  toolkit::CheckBox* CheckBoxLanIpDhcp;
  toolkit::LabeledEdit* LabeledEditLanNetmask;
  toolkit::LabeledEdit* LabeledEditLanGateway;
  toolkit::Button* Button1;

  toolkit::TabSheet* TabSheetWifi;
  toolkit::LabeledEdit* LabeledEditWifiSSID;
  toolkit::Button* Button3;
  toolkit::LabeledEdit* LabeledEditWifiPassword;
  toolkit::LabeledEdit* LabeledEditWifiIpAddress;
  toolkit::CheckBox* CheckBoxWifiIpDhcp;
  toolkit::LabeledEdit* LabeledEditWifiNetmask;
  toolkit::LabeledEdit* LabeledEditWifiGateway;
  toolkit::Button* ButtonSaveWifiConfig;

  toolkit::TabSheet* TabSheetFirmware;
  toolkit::LabeledEdit* LabeledEditModelName;
  toolkit::LabeledEdit* LabeledEditFirmwareVersion;

  toolkit::Timer* TimerShow;
  toolkit::Timer* TimerReconnect;

  // The current command object: remade by every read attempt; null before the first.
  std::unique_ptr<TUsbPrnCmd> UsbCmd;

  void FormShow(toolkit::Component& Sender);
  void FormClose(toolkit::Component& Sender);
  void TimerShowTimer(toolkit::Component& Sender);
  void TimerReconnectTimer(toolkit::Component& Sender);
  void ButtonCloseClick(toolkit::Component& Sender);
  void TrackBarDarknessChange(toolkit::Component& Sender);
  // Changes of the print settings wait for Button2Click.
  void RadioButtonPrintModeFastClick(toolkit::Component& Sender);
  void CheckBoxAutoFeedClick(toolkit::Component& Sender);
  void CheckBoxAutoReprintClick(toolkit::Component& Sender);
  void CheckBoxOnlyOnePageClick(toolkit::Component& Sender);
  void CheckBoxLanIpDhcpClick(toolkit::Component& Sender);
  void CheckBoxWifiIpDhcpClick(toolkit::Component& Sender);
  void Button2Click(toolkit::Component& Sender);
  void ButtonBtConfigSaveClick(toolkit::Component& Sender);
  void Button1Click(toolkit::Component& Sender);
  void ButtonSaveWifiConfigClick(toolkit::Component& Sender);
  void Button3Click(toolkit::Component& Sender);
  void ButtonPrintSelftestClick(toolkit::Component& Sender);
  void ButtonPowerResetClick(toolkit::Component& Sender);
  void ButtonRegRestoreDefaultClick(toolkit::Component& Sender);
  void ButtonExportClick(toolkit::Component& Sender);
  void ButtonImportClick(toolkit::Component& Sender);

  void SetControlsEnabled(toolkit::Container& control, bool enabled);
  void DisableConfigControls();
  void EnableConfigControls();

 private:
  void BuildButtonPanel();
  void BuildProfilePanel();
  void ShowSettings(const PrinterSettings& settings);
  void ShowAddress(const PrinterSettings& settings, std::string_view key, toolkit::CheckBox* dhcp,
                   toolkit::LabeledEdit& edit);
  // What a save is to leave in the printer, checked by the next read.
  void Expect(std::string_view key, SettingValue value);
  void ShowSaveState(SaveState state, size_t not_taken = 0);
  void RefuseProfile(const std::vector<ProfileError>& errors);
  void BuildPrintSheet();
  void BuildBluetoothSheet();
  void BuildNetSheet();
  void BuildWifiSheet();
  void BuildFirmwareSheet();

  // Rewrites the edit with the address that will be sent.
  AddressBytes TakeAddress(toolkit::LabeledEdit& edit);
  // The edit's text in the ANSI code page, or nothing (after the message)
  // when it cannot fit the request frame for `key`.
  bool TakeText(toolkit::LabeledEdit& edit, std::string_view key, std::string& text);
  void SaveAndRestart(std::string_view save_command);
  void RestartAndWait();
  // Holds the printer for one exchange sequence; nothing (after saying so)
  // when another program has it.
  std::unique_ptr<PrinterHold> HoldForUser();
  // Re-reads the printer before a save: when another program changed it
  // since the dialog's read, shows what it holds now and says so.
  bool ChangedElsewhere();
  void StartReconnectWait(UINT first_wait_ms);

  AnsiCodePageCodec codec_;
  std::vector<ProfileEntry> expected_;
  std::optional<PrinterSettings> shown_;  // what the last read found
  bool save_confirmed_ = false;           // the save and restart requests were answered
  UINT reconnect_waited_ms_ = 0;
};

extern TfrmPrinterConfig* frmPrinterConfig;

}  // namespace velmo
