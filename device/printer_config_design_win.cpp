// The design of frmPrinterConfig: every component with its name, caption,
// place and designed state. Device controls start disabled; they come alive
// after the first successful read.
#include "printer_config_form_win.h"
#include "translate_form_win.h"

namespace velmo {

using namespace toolkit;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kEditLeft = 130, kEditWidth = 170, kEditHeight = 24;

// A labelled edit on a page: caption on the left, disabled until connected.
Design Edit(const wchar_t* name, const wchar_t* caption, int top, wchar_t password = 0, bool read_only = false) {
  return {.Name = name, .Caption = caption, .Bounds = {kEditLeft, top, kEditWidth, kEditHeight}, .Enabled = false,
          .PasswordChar = password, .ReadOnly = read_only};
}

Design SaveButton(const wchar_t* name, int top, NotifyEvent click) {
  return {.Name = name, .Caption = L"保存并重启生效(&V)", .Bounds = {kEditLeft, top, 140, 28}, .Enabled = false,
          .OnClick = std::move(click)};
}

Design Sheet(const wchar_t* name, const wchar_t* caption) {
  return {.Name = name, .Caption = caption, .Color = kWhite};
}

}  // namespace

TfrmPrinterConfig* frmPrinterConfig = nullptr;

TfrmPrinterConfig::TfrmPrinterConfig()
    : Form({.Name = L"frmPrinterConfig",
            .Caption = L"打印机设置",
            .ClientWidth = 413,
            .ClientHeight = 363,
            .Border = BorderStyle::Dialog,
            .Position = FormPosition::OwnerCenter,
            .Color = kWhite,
            .Font = {L"微软雅黑", 9},  // 12 pixels at 96 DPI
            .OnShow = Handler(&TfrmPrinterConfig::FormShow),
            .OnClose = Handler(&TfrmPrinterConfig::FormClose)}) {
  // Top to bottom, as the Tab key goes: the pages, the profile row, the
  // buttons. Both rows share one strip below the pages, so that the profile
  // row comes first and still sits above the buttons.
  PageControlPrint = Make<PageControl>(*this, {.Name = L"PageControlPrint", .Align = Align::Client,
                                               .FlatTabs = true});
  BuildPrintSheet();
  BuildBluetoothSheet();
  BuildNetSheet();
  BuildWifiSheet();
  BuildFirmwareSheet();
  PageControlPrint->SetActivePage(TabSheetPrint);
  PanelBottom = Make<Panel>(*this, {.Name = L"PanelBottom", .Bounds = {0, 0, 0, 34 + 45}, .Align = Align::Bottom});
  BuildProfilePanel();
  BuildButtonPanel();

  TimerShow = new Timer(*this, {.Name = L"TimerShow", .Interval = 100, .Enabled = false,
                                .OnTimer = Handler(&TfrmPrinterConfig::TimerShowTimer)});
  TimerReconnect = new Timer(*this, {.Name = L"TimerReconnect", .Interval = 2000, .Enabled = false,
                                     .OnTimer = Handler(&TfrmPrinterConfig::TimerReconnectTimer)});

  // Hidden before translating, so that the tabs' captions are translated
  // whether or not they are ever shown.
  TabSheetBT->SetTabVisible(false);
  TabSheetNet->SetTabVisible(false);
  TabSheetWifi->SetTabVisible(false);
  TranslateForm(this, OemuiTranslationTable());
}

TfrmPrinterConfig::~TfrmPrinterConfig() = default;

// Above the bottom buttons, so every page keeps its designed height.
void TfrmPrinterConfig::BuildProfilePanel() {
  Panel3 = Make<Panel>(*PanelBottom, {.Name = L"Panel3", .Bounds = {0, 0, 0, 34}, .Align = Align::Top});
  ButtonExport = Make<Button>(*Panel3, {.Name = L"ButtonExport", .Caption = L"导出(&X)...", .Bounds = {8, 3, 92, 28},
                                        .Enabled = false, .OnClick = Handler(&TfrmPrinterConfig::ButtonExportClick)});
  ButtonImport = Make<Button>(*Panel3, {.Name = L"ButtonImport", .Caption = L"导入(&I)...", .Bounds = {106, 3, 92, 28},
                                        .Enabled = false, .OnClick = Handler(&TfrmPrinterConfig::ButtonImportClick)});
  LabelSaveResult = Make<Label>(*Panel3, {.Name = L"LabelSaveResult", .Bounds = {206, 9, 199, 20}, .Announce = true});
}

void TfrmPrinterConfig::BuildButtonPanel() {
  Panel1 = Make<Panel>(*PanelBottom, {.Name = L"Panel1", .Bounds = {0, 0, 0, 45}, .Align = Align::Bottom});
  ButtonPowerReset = Make<Button>(*Panel1, {.Name = L"ButtonPowerReset", .Caption = L"重启打印机(&R)",
                                            .Bounds = {8, 9, 92, 28}, .Enabled = false,
                                            .OnClick = Handler(&TfrmPrinterConfig::ButtonPowerResetClick)});
  ButtonPrintSelftest = Make<Button>(*Panel1, {.Name = L"ButtonPrintSelftest", .Caption = L"打印自检页(&T)",
                                               .Bounds = {106, 9, 92, 28}, .Enabled = false,
                                               .OnClick = Handler(&TfrmPrinterConfig::ButtonPrintSelftestClick)});
  ButtonRegRestoreDefault = Make<Button>(
      *Panel1, {.Name = L"ButtonRegRestoreDefault", .Caption = L"恢复出厂设置(&A)", .Bounds = {204, 9, 100, 28},
                .Enabled = false, .OnClick = Handler(&TfrmPrinterConfig::ButtonRegRestoreDefaultClick)});
  ButtonClose = Make<Button>(*Panel1, {.Name = L"ButtonClose", .Caption = L"关闭(&C)", .Bounds = {321, 9, 84, 28},
                                       .Cancel = true, .OnClick = Handler(&TfrmPrinterConfig::ButtonCloseClick)});
}

void TfrmPrinterConfig::BuildPrintSheet() {
  TabSheetPrint = Make<TabSheet>(*PageControlPrint, Sheet(L"TabSheetPrint", L"打印设置"));
  LabelPrintDarkness = Make<Label>(*TabSheetPrint, {.Name = L"LabelPrintDarkness", .Caption = L"打印黑度(&D):",
                                                    .Bounds = {12, 18, 110, 20}});
  TrackBarDarkness = Make<TrackBar>(
      *TabSheetPrint, {.Name = L"TrackBarDarkness", .Bounds = {124, 8, 270, 40}, .Enabled = false, .Min = -1,
                       .Max = 1, .Position = 0, .PageSize = 1, .TicksBothSides = true, .PositionToolTip = true,
                       .OnChange = Handler(&TfrmPrinterConfig::TrackBarDarknessChange)});
  LabelPrintMode = Make<Label>(*TabSheetPrint, {.Name = L"LabelPrintMode", .Caption = L"打印模式(&M):",
                                                .Bounds = {12, 60, 110, 20}});
  Panel2 = Make<Panel>(*TabSheetPrint, {.Name = L"Panel2", .Bounds = {124, 54, 270, 30}});
  const NotifyEvent mode = Handler(&TfrmPrinterConfig::RadioButtonPrintModeFastClick);
  RadioButtonPrintModeNormal = Make<RadioButton>(*Panel2, {.Name = L"RadioButtonPrintModeNormal", .Caption = L"正常",
                                                           .Bounds = {4, 5, 80, 20}, .Enabled = false,
                                                           .OnClick = mode});
  RadioButtonPrintModeFast = Make<RadioButton>(*Panel2, {.Name = L"RadioButtonPrintModeFast", .Caption = L"高速",
                                                         .Bounds = {90, 5, 80, 20}, .Enabled = false,
                                                         .OnClick = mode});
  RadioButtonPrintModePrecise = Make<RadioButton>(*Panel2, {.Name = L"RadioButtonPrintModePrecise",
                                                            .Caption = L"高质量", .Bounds = {176, 5, 90, 20},
                                                            .Enabled = false, .OnClick = mode});
  CheckBoxAutoFeed = Make<CheckBox>(*TabSheetPrint, {.Name = L"CheckBoxAutoFeed", .Caption = L"合盖自动走纸(&U)",
                                                     .Bounds = {12, 96, 180, 20}, .Enabled = false,
                                                     .OnClick = Handler(&TfrmPrinterConfig::CheckBoxAutoFeedClick)});
  CheckBoxAutoReprint = Make<CheckBox>(
      *TabSheetPrint, {.Name = L"CheckBoxAutoReprint", .Caption = L"自动重打页面(&E)", .Bounds = {12, 124, 180, 20},
                       .Enabled = false, .OnClick = Handler(&TfrmPrinterConfig::CheckBoxAutoReprintClick)});
  CheckBoxOnlyOnePage = Make<CheckBox>(
      *TabSheetPrint, {.Name = L"CheckBoxOnlyOnePage", .Caption = L"不跨页打印(&O)", .Bounds = {12, 152, 180, 20},
                       .Enabled = false, .OnClick = Handler(&TfrmPrinterConfig::CheckBoxOnlyOnePageClick)});
  Button2 = Make<Button>(*TabSheetPrint, SaveButton(L"Button2", 196, Handler(&TfrmPrinterConfig::Button2Click)));
}

void TfrmPrinterConfig::BuildBluetoothSheet() {
  TabSheetBT = Make<TabSheet>(*PageControlPrint, Sheet(L"TabSheetBT", L"蓝牙设置"));
  LabeledEditBluetoothName = Make<LabeledEdit>(*TabSheetBT, Edit(L"LabeledEditBluetoothName", L"蓝牙名称(&N): ", 16));
  LabeledEditBluetoothPassword =
      Make<LabeledEdit>(*TabSheetBT, Edit(L"LabeledEditBluetoothPassword", L"蓝牙密码(&O): ", 50, L'*'));
  LabeledEditBluetoothBleName =
      Make<LabeledEdit>(*TabSheetBT, Edit(L"LabeledEditBluetoothBleName", L"蓝牙BLE名称(&M): ", 84));
  LabeledEditBluetoothBlePassword =
      Make<LabeledEdit>(*TabSheetBT, Edit(L"LabeledEditBluetoothBlePassword", L"蓝牙BLE密码(&D): ", 118, L'*'));
  ButtonBtConfigSave = Make<Button>(
      *TabSheetBT, SaveButton(L"ButtonBtConfigSave", 196, Handler(&TfrmPrinterConfig::ButtonBtConfigSaveClick)));
}

void TfrmPrinterConfig::BuildNetSheet() {
  TabSheetNet = Make<TabSheet>(*PageControlPrint, Sheet(L"TabSheetNet", L"有线网络设置"));
  LabeledEditLanIpAddress = Make<LabeledEdit>(*TabSheetNet, Edit(L"LabeledEditLanIpAddress", L"IP A&ddress: ", 16));
  CheckBoxLanIpDhcp = Make<CheckBox>(*TabSheetNet, {.Name = L"CheckBoxLanIpDhcp", .Caption = L"D&HCP",
                                                    .Bounds = {kEditLeft + kEditWidth + 8, 18, 70, 20},
                                                    .Enabled = false,
                                                    .OnClick = Handler(&TfrmPrinterConfig::CheckBoxLanIpDhcpClick)});
  LabeledEditLanNetmask = Make<LabeledEdit>(*TabSheetNet, Edit(L"LabeledEditLanNetmask", L"&Netmask: ", 50));
  LabeledEditLanGateway = Make<LabeledEdit>(*TabSheetNet, Edit(L"LabeledEditLanGateway", L"&Gateway: ", 84));
  Button1 = Make<Button>(*TabSheetNet, SaveButton(L"Button1", 196, Handler(&TfrmPrinterConfig::Button1Click)));
}

void TfrmPrinterConfig::BuildWifiSheet() {
  TabSheetWifi = Make<TabSheet>(*PageControlPrint, Sheet(L"TabSheetWifi", L"WIFI设置"));
  LabeledEditWifiSSID = Make<LabeledEdit>(*TabSheetWifi, Edit(L"LabeledEditWifiSSID", L"WIFI &SSID: ", 16));
  Button3 = Make<Button>(*TabSheetWifi, {.Name = L"Button3", .Caption = L"清除(&E)",
                                         .Bounds = {kEditLeft + kEditWidth + 8, 15, 70, 26},
                                         .OnClick = Handler(&TfrmPrinterConfig::Button3Click)});
  LabeledEditWifiPassword =
      Make<LabeledEdit>(*TabSheetWifi, Edit(L"LabeledEditWifiPassword", L"WIFI 密码(&O): ", 50, L'*'));
  LabeledEditWifiIpAddress =
      Make<LabeledEdit>(*TabSheetWifi, Edit(L"LabeledEditWifiIpAddress", L"IP A&ddress: ", 84));
  CheckBoxWifiIpDhcp = Make<CheckBox>(*TabSheetWifi, {.Name = L"CheckBoxWifiIpDhcp", .Caption = L"D&HCP",
                                                      .Bounds = {kEditLeft + kEditWidth + 8, 86, 70, 20},
                                                      .Enabled = false,
                                                      .OnClick = Handler(&TfrmPrinterConfig::CheckBoxWifiIpDhcpClick)});
  LabeledEditWifiNetmask = Make<LabeledEdit>(*TabSheetWifi, Edit(L"LabeledEditWifiNetmask", L"&Netmask: ", 118));
  LabeledEditWifiGateway = Make<LabeledEdit>(*TabSheetWifi, Edit(L"LabeledEditWifiGateway", L"&Gateway: ", 152));
  ButtonSaveWifiConfig = Make<Button>(
      *TabSheetWifi, SaveButton(L"ButtonSaveWifiConfig", 196, Handler(&TfrmPrinterConfig::ButtonSaveWifiConfigClick)));
}

void TfrmPrinterConfig::BuildFirmwareSheet() {
  TabSheetFirmware = Make<TabSheet>(*PageControlPrint, Sheet(L"TabSheetFirmware", L"固件信息"));
  LabeledEditModelName =
      Make<LabeledEdit>(*TabSheetFirmware, Edit(L"LabeledEditModelName", L"硬件名称(&M): ", 16, 0, true));
  LabeledEditFirmwareVersion =
      Make<LabeledEdit>(*TabSheetFirmware, Edit(L"LabeledEditFirmwareVersion", L"固件版本(&V): ", 50, 0, true));
}

}  // namespace velmo
