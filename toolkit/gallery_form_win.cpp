#include "gallery_form_win.h"

namespace toolkit {

UniqueBitmap MakeSamplePicture(COLORREF ink) {
  HDC screen = GetDC(nullptr);
  UniqueBitmap picture(CreateCompatibleBitmap(screen, 32, 32));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, picture.get());
  RECT all{0, 0, 32, 32};
  HBRUSH background = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, background);
  DeleteObject(background);
  HPEN pen = CreatePen(PS_SOLID, 3, ink);
  HGDIOBJ previousPen = SelectObject(dc, pen);
  HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 3, 3, 29, 29);
  MoveToEx(dc, 6, 26, nullptr);
  LineTo(dc, 26, 6);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return picture;
}

TfrmGallery::TfrmGallery()
    : Form({.Name = L"frmGallery", .Caption = L"打印机管理", .ClientWidth = 820, .ClientHeight = 600,
            .Border = BorderStyle::Dialog, .Position = FormPosition::ScreenCenter, .Color = RGB(255, 255, 255),
            .Font = {L"微软雅黑", 9}, .Padding = {12, 4, 4, 4}}) {
  const COLORREF grey = RGB(128, 128, 128);
  const COLORREF silver = RGB(192, 192, 192);
  const COLORREF white = RGB(255, 255, 255);

  ImageList1 = new ImageList(*this, {.Name = L"ImageList1"});
  ImageList1->Add(MakeSamplePicture(RGB(0, 90, 200)).get(), RGB(255, 0, 255));
  PopupMenuImagePreview = new PopupMenu(*this, L"PopupMenuImagePreview");
  OpenPreviewImage1 = PopupMenuImagePreview->Add({.Name = L"OpenPreviewImage1", .Caption = L"打开用于预览的图片"});
  OpenPictureDialog1 = new OpenPictureDialog(*this, {.Name = L"OpenPictureDialog1"});
  TimerPrinterStatus = new Timer(*this, {.Name = L"TimerPrinterStatus", .Interval = 100, .Enabled = false});
  TimerShow = new Timer(*this, {.Name = L"TimerShow", .Enabled = false});

  // The strip along the top: version, tool buttons, paper choice.
  PanelPaperAndTool = Make<Panel>(*this, {.Name = L"PanelPaperAndTool", .Bounds = {0, 0, 0, 85}, .Align = Align::Top});
  Panel4 = Make<Panel>(*PanelPaperAndTool, {.Name = L"Panel4", .Bounds = {0, 0, 161, 0}, .Align = Align::Left});
  LabelVersion = Make<Label>(*Panel4, {.Name = L"LabelVersion", .Caption = L"Ver:3.5.210.7", .Bounds = {0, 0, 0, 17},
                                       .Align = Align::Top, .FontColor = grey, .Alignment = TextAlign::Right});
  SpeedButtonPrintTestPage = Make<SpeedButton>(
      *Panel4, {.Name = L"SpeedButtonPrintTestPage", .Caption = L"打印测试页", .Bounds = {8, 18, 70, 65}});
  SpeedButtonPrinterSettings = Make<SpeedButton>(*Panel4, {.Name = L"SpeedButtonPrinterSettings",
                                                           .Caption = L"打印机设置", .Bounds = {84, 18, 70, 65},
                                                           .Enabled = false});
  GroupBoxPapers = Make<GroupBox>(*PanelPaperAndTool,
                                  {.Name = L"GroupBoxPapers", .Caption = L"纸张选择", .Align = Align::Client});
  SpeedButtonEditPaper = Make<SpeedButton>(
      *GroupBoxPapers, {.Name = L"SpeedButtonEditPaper", .Caption = L"编辑", .Bounds = {8, 22, 50, 58}});
  SpeedButtonDeletePaper = Make<SpeedButton>(
      *GroupBoxPapers, {.Name = L"SpeedButtonDeletePaper", .Caption = L"删除", .Bounds = {60, 22, 50, 58}});
  SpeedButtonAddPaper = Make<SpeedButton>(
      *GroupBoxPapers, {.Name = L"SpeedButtonAddPaper", .Caption = L"新建", .Bounds = {112, 22, 50, 58}});
  ComboBoxPaperNames = Make<ComboBox>(*GroupBoxPapers, {.Name = L"ComboBoxPaperNames", .Bounds = {172, 30, 300, 42},
                                                        .Items = {L"40 x 30", L"57 x 30", L"100 x 150"},
                                                        .ItemIndex = 0, .OwnerDraw = true, .ItemHeight = 36});
  for (SpeedButton* button : {SpeedButtonPrintTestPage, SpeedButtonPrinterSettings, SpeedButtonEditPaper,
                              SpeedButtonDeletePaper, SpeedButtonAddPaper})
    button->SetPicture(MakeSamplePicture(RGB(0, 120, 60)));

  // The main group: preview on the left, effects on the right.
  GroupBoxPrintEffect = Make<GroupBox>(
      *this, {.Name = L"GroupBoxPrintEffect", .Caption = L"打印设置", .Align = Align::Client, .Padding = {4, 0, 4, 4}});
  Panel3 = Make<Panel>(*GroupBoxPrintEffect, {.Name = L"Panel3", .Bounds = {0, 0, 300, 0}, .Align = Align::Left});
  PanelPaperType = Make<Panel>(*Panel3, {.Name = L"PanelPaperType", .Caption = L"纸张类型:", .Bounds = {0, 0, 0, 28},
                                         .Align = Align::Top});
  RadioButtonPageMarkLabel = Make<RadioButton>(
      *PanelPaperType, {.Name = L"RadioButtonPageMarkLabel", .Caption = L"标签纸", .Bounds = {68, 4, 56, 20},
                        .Checked = true});
  RadioButtonPageMarkBlack = Make<RadioButton>(
      *PanelPaperType, {.Name = L"RadioButtonPageMarkBlack", .Caption = L"黑标纸", .Bounds = {125, 4, 56, 20}});
  RadioButtonPageMarkNone = Make<RadioButton>(
      *PanelPaperType, {.Name = L"RadioButtonPageMarkNone", .Caption = L"连续纸", .Bounds = {182, 4, 56, 20}});
  RadioButtonPageMarkTrim = Make<RadioButton>(
      *PanelPaperType, {.Name = L"RadioButtonPageMarkTrim", .Caption = L"不定长", .Bounds = {239, 4, 56, 20}});
  PanelImagePreview = Make<Panel>(
      *Panel3, {.Name = L"PanelImagePreview", .Align = Align::Client, .Color = silver, .BevelOuter = Bevel::Lowered});
  PanelDisplay =
      Make<Panel>(*PanelImagePreview, {.Name = L"PanelDisplay", .Bounds = {30, 40, 180, 300}, .Color = white});
  ImageDisplay = Make<Image>(*PanelDisplay, {.Name = L"ImageDisplay", .Align = Align::Client, .Center = true,
                                             .Proportional = true, .Stretch = true,
                                             .PopupMenu = PopupMenuImagePreview});
  ImageDisplay->SetPicture(MakeSamplePicture(RGB(0, 0, 0)));

  Panel2 = Make<Panel>(*GroupBoxPrintEffect, {.Name = L"Panel2", .Align = Align::Client, .Padding = {6, 0, 0, 0}});
  Panel1 = Make<Panel>(*Panel2, {.Name = L"Panel1", .Bounds = {0, 0, 0, 34}, .Align = Align::Top});
  ButtonResetDefault = Make<Button>(
      *Panel1, {.Name = L"ButtonResetDefault", .Caption = L"恢复默认", .Bounds = {0, 4, 90, 26}, .Enabled = false});

  GroupBoxEffects = Make<GroupBox>(
      *Panel2, {.Name = L"GroupBoxEffects", .Caption = L"效果", .Bounds = {0, 0, 0, 128}, .Align = Align::Top});
  PanelDirection = Make<Panel>(*GroupBoxEffects, {.Name = L"PanelDirection", .Caption = L"打印方向:",
                                                  .Bounds = {0, 0, 0, 30}, .Align = Align::Top});
  RadioButtonRotate0 = Make<RadioButton>(
      *PanelDirection, {.Name = L"RadioButtonRotate0", .Caption = L"0", .Bounds = {70, 5, 40, 20}, .Checked = true});
  RadioButtonRotate90 = Make<RadioButton>(
      *PanelDirection, {.Name = L"RadioButtonRotate90", .Caption = L"90", .Bounds = {112, 5, 44, 20}});
  RadioButtonRotate180 = Make<RadioButton>(
      *PanelDirection, {.Name = L"RadioButtonRotate180", .Caption = L"180", .Bounds = {158, 5, 50, 20}});
  RadioButtonRotate270 = Make<RadioButton>(
      *PanelDirection, {.Name = L"RadioButtonRotate270", .Caption = L"270", .Bounds = {210, 5, 50, 20}});
  CheckBoxPaperRotate = Make<CheckBox>(
      *PanelDirection, {.Name = L"CheckBoxPaperRotate", .Caption = L"纸张旋转", .Bounds = {266, 5, 90, 20}});
  PanelEffect = Make<Panel>(*GroupBoxEffects, {.Name = L"PanelEffect", .Caption = L"特殊效果:",
                                               .Bounds = {0, 0, 0, 30}, .Align = Align::Top});
  CheckBoxFlipHorizontal = Make<CheckBox>(
      *PanelEffect, {.Name = L"CheckBoxFlipHorizontal", .Caption = L"水平翻转", .Bounds = {70, 5, 84, 20}});
  CheckBoxFlipVertical = Make<CheckBox>(
      *PanelEffect, {.Name = L"CheckBoxFlipVertical", .Caption = L"垂直翻转", .Bounds = {156, 5, 84, 20}});
  CheckBoxEffectReverse = Make<CheckBox>(
      *PanelEffect, {.Name = L"CheckBoxEffectReverse", .Caption = L"黑白反色", .Bounds = {242, 5, 84, 20}});
  CheckBoxDualColor = Make<CheckBox>(
      *PanelEffect, {.Name = L"CheckBoxDualColor", .Caption = L"双色打印", .Bounds = {328, 5, 84, 20}});
  PanelThreshold = Make<Panel>(*GroupBoxEffects, {.Name = L"PanelThreshold", .Caption = L"二值化:",
                                                  .Bounds = {0, 0, 0, 40}, .Align = Align::Top});
  RadioButtonHalftoneBW = Make<RadioButton>(
      *PanelThreshold, {.Name = L"RadioButtonHalftoneBW", .Caption = L"阈值", .Bounds = {70, 10, 54, 20}});
  RadioButtonHalftoneDither = Make<RadioButton>(*PanelThreshold, {.Name = L"RadioButtonHalftoneDither",
                                                                  .Caption = L"水印", .Bounds = {126, 10, 54, 20},
                                                                  .Checked = true});
  LabelBlacknessAdjust = Make<Label>(*PanelThreshold, {.Name = L"LabelBlacknessAdjust", .Caption = L"100",
                                                       .Bounds = {182, 12, 30, 18}, .Alignment = TextAlign::Right});
  TrackBarBlacknessAdjust = Make<TrackBar>(
      *PanelThreshold, {.Name = L"TrackBarBlacknessAdjust", .Bounds = {214, 4, 250, 32}, .Min = 0, .Max = 100,
                        .Position = 50, .PageSize = 10});

  PanelThresholdRed = Make<Panel>(*GroupBoxEffects, {.Name = L"PanelThresholdRed", .Caption = L"红色:",
                                                     .Bounds = {0, 0, 0, 40}, .Align = Align::Top, .Visible = false});

  GroupBox1 = Make<GroupBox>(
      *Panel2, {.Name = L"GroupBox1", .Caption = L"打印缩放", .Bounds = {0, 0, 0, 58}, .Align = Align::Top});
  PanelZoom = Make<Panel>(*GroupBox1, {.Name = L"PanelZoom", .Caption = L"缩放调整:", .Bounds = {0, 0, 0, 30},
                                       .Align = Align::Top});
  std::vector<std::wstring> zooms;
  for (int percent = 50; percent <= 150; percent += 5) zooms.push_back(std::to_wstring(percent) + L"%");
  ComboBoxZoom =
      Make<ComboBox>(*PanelZoom, {.Name = L"ComboBoxZoom", .Bounds = {70, 3, 120, 24}, .Items = zooms});

  // Pages with the remaining kinds.
  PageControlPrint = Make<PageControl>(
      *Panel2, {.Name = L"PageControlPrint", .Align = Align::Client, .Margins = {0, 4, 0, 0}, .FlatTabs = true});
  TabSheetPrint = Make<TabSheet>(*PageControlPrint, {.Name = L"TabSheetPrint", .Caption = L"打印设置"});
  LabelPrintDarkness = Make<Label>(
      *TabSheetPrint, {.Name = L"LabelPrintDarkness", .Caption = L"打印黑度: -2", .Bounds = {8, 12, 100, 18}});
  TrackBarDarkness = Make<TrackBar>(*TabSheetPrint, {.Name = L"TrackBarDarkness", .Bounds = {110, 0, 300, 42},
                                                     .Min = -3, .Max = 3, .Position = -2, .TicksBothSides = true,
                                                     .PositionToolTip = true});
  LabelPrintMode = Make<Label>(
      *TabSheetPrint, {.Name = L"LabelPrintMode", .Caption = L"打印模式:", .Bounds = {8, 52, 100, 18}});
  PanelPrintMode = Make<Panel>(*TabSheetPrint, {.Name = L"PanelPrintMode", .Bounds = {110, 46, 300, 28}});
  RadioButtonPrintModeNormal = Make<RadioButton>(
      *PanelPrintMode,
      {.Name = L"RadioButtonPrintModeNormal", .Caption = L"正常", .Bounds = {0, 4, 70, 20}, .Checked = true});
  RadioButtonPrintModeFast = Make<RadioButton>(
      *PanelPrintMode, {.Name = L"RadioButtonPrintModeFast", .Caption = L"高速", .Bounds = {80, 4, 70, 20}});
  RadioButtonPrintModePrecise = Make<RadioButton>(
      *PanelPrintMode, {.Name = L"RadioButtonPrintModePrecise", .Caption = L"高质量", .Bounds = {160, 4, 80, 20}});
  CheckBoxAutoFeed = Make<CheckBox>(
      *TabSheetPrint, {.Name = L"CheckBoxAutoFeed", .Caption = L"合盖自动走纸", .Bounds = {8, 82, 140, 20}});
  CheckBoxAutoReprint = Make<CheckBox>(
      *TabSheetPrint, {.Name = L"CheckBoxAutoReprint", .Caption = L"自动重打页面", .Bounds = {160, 82, 140, 20}});
  CheckBoxOnlyOnePage = Make<CheckBox>(
      *TabSheetPrint, {.Name = L"CheckBoxOnlyOnePage", .Caption = L"不跨页打印", .Bounds = {310, 82, 120, 20}});

  TabSheetNet = Make<TabSheet>(*PageControlPrint, {.Name = L"TabSheetNet", .Caption = L"有线网络设置"});
  LabeledEditLanIpAddress = Make<LabeledEdit>(*TabSheetNet, {.Name = L"LabeledEditLanIpAddress",
                                                             .Caption = L"IP Address: ",
                                                             .Bounds = {110, 8, 150, 24}, .Text = L"192.168.1.20"});
  CheckBoxLanIpDhcp = Make<CheckBox>(
      *TabSheetNet, {.Name = L"CheckBoxLanIpDhcp", .Caption = L"DHCP", .Bounds = {270, 10, 70, 20}});
  LabeledEditLanNetmask = Make<LabeledEdit>(*TabSheetNet, {.Name = L"LabeledEditLanNetmask", .Caption = L"Netmask: ",
                                                           .Bounds = {110, 38, 150, 24}, .Text = L"255.255.255.0"});
  Label1 = Make<Label>(*TabSheetNet, {.Name = L"Label1", .Caption = L"型号: ", .Bounds = {270, 42, 60, 18}});
  LabeledEditWifiPassword = Make<LabeledEdit>(*TabSheetNet, {.Name = L"LabeledEditWifiPassword",
                                                             .Caption = L"WIFI 密码: ", .Bounds = {110, 68, 150, 24},
                                                             .Text = L"secret", .PasswordChar = L'*'});
  LabeledEditModelName = Make<LabeledEdit>(*TabSheetNet, {.Name = L"LabeledEditModelName", .Caption = L"硬件名称: ",
                                                          .Bounds = {110, 98, 150, 24}, .Text = L"LT42",
                                                          .ReadOnly = true});
  LabeledEditLanGateway = Make<LabeledEdit>(*TabSheetNet, {.Name = L"LabeledEditLanGateway", .Caption = L"Gateway: ",
                                                           .Bounds = {110, 128, 150, 24}, .Text = L"192.168.1.1"});

  TabSheetPrinters = Make<TabSheet>(*PageControlPrint, {.Name = L"TabSheetPrinters", .Caption = L"搜索到的打印机"});
  ListView1 = Make<ListView>(*TabSheetPrinters, {.Name = L"ListView1", .Align = Align::Client,
                                                 .Columns = {{L"Name", 200}, {L"Port", 150}}, .Images = ImageList1});
  ListView1->AddItem(L"Velmo LT42", {L"USB001"});
  ListView1->AddItem(L"Velmo LT42 (网络)", {L"192.168.1.20"});

  // The bottom bar.
  PanelButtons = Make<Panel>(*this, {.Name = L"PanelButtons", .Bounds = {0, 0, 0, 40}, .Align = Align::Bottom});
  ButtonInstall = Make<Button>(*PanelButtons, {.Name = L"ButtonInstall", .Caption = L"安装",
                                               .Bounds = {710, 8, 90, 28}, .Default = true, .ModalResult = mrOk});
  ButtonCancel = Make<Button>(*PanelButtons, {.Name = L"ButtonCancel", .Caption = L"取消", .Bounds = {612, 8, 90, 28},
                                              .Cancel = true, .ModalResult = mrCancel});
}

}  // namespace toolkit
