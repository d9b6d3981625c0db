// The design of Form1: every component with its name, caption and place.
#include "form1_win.h"

namespace velmo {

using namespace toolkit;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

}  // namespace

void TForm1::BuildFoundPrinters() {
  ImageList1 = new ImageList(*this, {.Name = L"ImageList1", .Width = 32, .Height = 32});
  ImageList1->AddResource(L"PICTURE_PRINTER", kMagenta);
  GroupBox1 = Make<GroupBox>(*this, {.Name = L"GroupBox1", .Caption = L"搜索到的打印机(&F)", .Bounds = {0, 0, 0, 153},
                                     .Align = Align::Top, .Margins = {8, 8, 8, 0}});
  // 486 - 2 * 8 around the group box, - 2 * 2 of its frame, - 2 * 8: 450 wide.
  ListView1 = Make<ListView>(*GroupBox1, {.Name = L"ListView1", .Align = Align::Client, .Margins = {8, 0, 8, 8},
                                          .Columns = {{L"Name", 200}, {L"Port", 200}}, .Images = ImageList1,
                                          .OnDblClick = Handler(&TForm1::ListView1DblClick)});
}

void TForm1::BuildChoices() {
  Panel3 = Make<Panel>(*this, {.Name = L"Panel3", .Align = Align::Client, .Padding = {16, 6, 8, 0}});
  CheckBoxInstallDriver = Make<CheckBox>(*Panel3, {.Name = L"CheckBoxInstallDriver",
                                                   .Caption = L"安装打印机驱动(&D)", .Bounds = {0, 0, 0, 26}, .Align = Align::Top, .Enabled = false,
                                                   .Checked = true});
  const NotifyEvent choice = Handler(&TForm1::RadioButtonInstallUSBPrinterClick);
  RadioButtonInstallUSBPrinter = Make<RadioButton>(
      *Panel3, {.Name = L"RadioButtonInstallUSBPrinter", .Caption = L"安装USB打印机(&U)", .Bounds = {0, 0, 0, 26},
                .Align = Align::Top, .Checked = true, .OnClick = choice});
  RadioButtonInstallNetworkPrinter = Make<RadioButton>(
      *Panel3, {.Name = L"RadioButtonInstallNetworkPrinter", .Caption = L"安装网络打印机(&N)", .Bounds = {0, 0, 0, 26},
                .Align = Align::Top, .OnClick = choice});

  const NotifyEvent changed = Handler(&TForm1::ComboBoxDriverNamesChange);
  PanelNetworkSetting = Make<Panel>(*Panel3, {.Name = L"PanelNetworkSetting", .Bounds = {0, 0, 0, 58},
                                              .Align = Align::Top, .Visible = false});
  LabeledEditIP = Make<LabeledEdit>(*PanelNetworkSetting, {.Name = L"LabeledEditIP", .Caption = L"I&P: ",
                                                           .Bounds = {24, 6, 106, 24}, .OnChange = changed});
  ButtonCheckAddress = Make<Button>(*PanelNetworkSetting,
                                    {.Name = L"ButtonCheckAddress", .Caption = L"检查(&K)", .Bounds = {134, 5, 56, 26},
                                     .Enabled = false, .OnClick = Handler(&TForm1::ButtonCheckAddressClick)});
  Label1 = Make<Label>(*PanelNetworkSetting,
                       {.Name = L"Label1", .Caption = L"型号(&M): ", .Bounds = {196, 9, 48, 20}, .AutoSize = true});
  ComboBoxDriverNames = Make<ComboBox>(*PanelNetworkSetting, {.Name = L"ComboBoxDriverNames",
                                                              .Bounds = {250, 6, 204, 24}, .OnChange = changed});
  LabelAddressAnswer = Make<Label>(*PanelNetworkSetting, {.Name = L"LabelAddressAnswer", .Bounds = {24, 34, 430, 20},
                                                               .Announce = true});
}

void TForm1::BuildButtons() {
  PanelButtons = Make<Panel>(*this, {.Name = L"PanelButtons", .Bounds = {0, 0, 0, 48}, .Align = Align::Bottom});
  Bevel1 = Make<Panel>(*PanelButtons, {.Name = L"Bevel1", .Bounds = {0, 0, 0, 2}, .Align = Align::Top,
                                       .Margins = {8, 0, 8, 0}, .BevelOuter = Bevel::Lowered});
  ButtonCancel = Make<Button>(*PanelButtons, {.Name = L"ButtonCancel", .Caption = L"取消(&C)",
                                              .Bounds = {294, 11, 88, 28}, .Cancel = true, .OnClick = Handler(&TForm1::ButtonCancelClick)});
  // Not the default button: Enter in the list or a field starts nothing.
  ButtonInstall = Make<Button>(*PanelButtons, {.Name = L"ButtonInstall", .Caption = L"安装(&I)",
                                               .Bounds = {390, 11, 88, 28}, .OnClick = Handler(&TForm1::ButtonInstallClick)});
}

TForm1::TForm1(const InstallerPeers& peers)
    : Form({.Name = L"Form1",
            .Caption = L"安装打印机",
            .ClientWidth = 486,
            .ClientHeight = 388,
            .Border = BorderStyle::Dialog,
            .Position = FormPosition::ScreenCenter,
            .Font = {L"微软雅黑", 9}}),
      peers_(peers) {
  OnClose = Handler(&TForm1::FormClose);
  BuildFoundPrinters();
  BuildChoices();
  BuildButtons();
  Timer1 = new Timer(*this, {.Name = L"Timer1", .Interval = 2000, .Enabled = true,
                             .OnTimer = Handler(&TForm1::Timer1Timer)});
  TimerAddressCheck = new Timer(*this, {.Name = L"TimerAddressCheck", .Interval = kAddressCheckWaitMs,
                                        .Enabled = false, .OnTimer = Handler(&TForm1::TimerAddressCheckTimer)});
  FinishConstruction();
}

}  // namespace velmo
