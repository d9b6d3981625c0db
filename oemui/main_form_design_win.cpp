// The design of frmMain: every component with its name, caption and place.
#include "color_contrast.h"
#include "feature_codecs.h"
#include "main_form_win.h"

namespace velmo {

using namespace toolkit;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSilver = RGB(192, 192, 192);

// A feature row: a captioned strip whose controls start after the caption.
// Its millimetre label is centred: flush against an edge, the ink of a
// last "m" runs past the label and is cut.
// The rows around the trim and offset bars stay disabled until their feature
// has been read.
enum class RowState { Enabled, Disabled };
Design Row(const wchar_t* name, const wchar_t* caption, int height, RowState state = RowState::Enabled) {
  return {.Name = name, .Caption = caption, .Bounds = {0, 0, 0, height}, .Align = Align::Top,
          .Enabled = state == RowState::Enabled};
}

}  // namespace

TfrmMain::TfrmMain()
    : Form({.Name = L"frmMain",
            .Caption = L"打印机管理",
            .ClientWidth = 870,
            .ClientHeight = 657,
            .Border = BorderStyle::None,
            .State = WindowState::Maximized,
            .Color = kWhite,
            .Font = {L"微软雅黑", 9},
            .Padding = {12, 4, 4, 4},
            .DoubleBuffered = true,
            .OnShow = Handler(&TfrmMain::FormShow),
            .OnClick = Handler(&TfrmMain::FormClick),
            .OnMouseActivate = Handler(&TfrmMain::FormMouseActivate)}) {
  // The pop-up menu comes first: the preview image is designed with it.
  OpenPictureDialog1 = new OpenPictureDialog(*this, {.Name = L"OpenPictureDialog1", .Filter = PictureFilter()});
  PopupMenuImagePreview = new PopupMenu(*this, L"PopupMenuImagePreview");
  OpenPreviewImage1 = PopupMenuImagePreview->Add({.Name = L"OpenPreviewImage1", .Caption = L"打开用于预览的图片(&O)",
                                                  .OnClick = Handler(&TfrmMain::OpenPreviewImage1Click)});
  BuildPaperStrip();
  BuildPreviewColumn();
  BuildEffects();
  BuildZoomTrimAdjust();

  TimerOnShow = new Timer(*this, {.Name = L"TimerOnShow", .Interval = 100, .Enabled = false,
                                  .OnTimer = Handler(&TfrmMain::TimerOnShowTimer)});
  TimerPrinterStatus = new Timer(*this, {.Name = L"TimerPrinterStatus", .Interval = 100, .Enabled = true,
                                         .OnTimer = Handler(&TfrmMain::TimerPrinterStatusTimer)});
  TimerSwitchToFront = new Timer(*this, {.Name = L"TimerSwitchToFront", .Interval = 100, .Enabled = false,
                                         .OnTimer = Handler(&TfrmMain::TimerSwitchToFrontTimer)});
  FinishConstruction();
}

void TfrmMain::BuildPaperStrip() {
  PanelPaperAndTool = Make<Panel>(*this, {.Name = L"PanelPaperAndTool", .Bounds = {0, 0, 0, 85}, .Align = Align::Top});
  Panel4 = Make<Panel>(*PanelPaperAndTool, {.Name = L"Panel4", .Bounds = {0, 0, 161, 0}, .Align = Align::Left});
  LabelVersion = Make<Label>(*Panel4, {.Name = L"LabelVersion", .Bounds = {0, 0, 0, 16}, .Align = Align::Top,
                                       .FontColor = kSecondaryText, .Alignment = TextAlign::Right,
                                       .OnClick = Handler(&TfrmMain::LabelVersionClick)});
  SpeedButtonPrintTestPage = Make<SpeedButton>(
      *Panel4, {.Name = L"SpeedButtonPrintTestPage", .Caption = L"打印测试页(&T)", .Bounds = {8, 18, 75, 65},
                .Picture = L"PICTURE_TEST_PAGE", .OnClick = Handler(&TfrmMain::SpeedButtonPrintTestPageClick)});
  SpeedButtonPrinterSettings = Make<SpeedButton>(
      *Panel4, {.Name = L"SpeedButtonPrinterSettings", .Caption = L"打印机设置(&C)", .Bounds = {84, 18, 75, 65},
                .Enabled = false, .Picture = L"PICTURE_PRINTER_SETTINGS",
                .OnClick = Handler(&TfrmMain::SpeedButtonPrinterSettingsClick)});

  GroupBoxPapers = Make<GroupBox>(*PanelPaperAndTool,
                                  {.Name = L"GroupBoxPapers", .Caption = L"纸张选择(&S)", .Align = Align::Client});
  // The paper controls are not print features: they work from the start.
  ComboBoxPaperNames = Make<ComboBox>(
      *GroupBoxPapers, {.Name = L"ComboBoxPaperNames", .Bounds = {12, 30, 460, 24}, .OwnerDraw = true,
                        .ItemHeight = 36, .OnChange = Handler(&TfrmMain::ComboBoxPaperNamesChange),
                        .OnDrawItem = [this](Component& sender, DrawItemArgs& item) {
                          ComboBoxPaperNamesDrawItem(sender, item);
                        }});
  SpeedButtonEditPaper = Make<SpeedButton>(*GroupBoxPapers, {.Name = L"SpeedButtonEditPaper", .Caption = L"编辑(&E)",
                                                             .Bounds = {486, 16, 60, 64},
                                                             .Picture = L"PICTURE_EDIT_PAPER",
                                                             .OnClick = Handler(&TfrmMain::SpeedButtonEditPaperClick)});
  SpeedButtonDeletePaper = Make<SpeedButton>(
      *GroupBoxPapers, {.Name = L"SpeedButtonDeletePaper", .Caption = L"删除(&L)", .Bounds = {550, 16, 60, 64},
                        .Picture = L"PICTURE_DELETE_PAPER", .OnClick = Handler(&TfrmMain::SpeedButtonDeletePaperClick)});
  SpeedButtonAddPaper = Make<SpeedButton>(*GroupBoxPapers, {.Name = L"SpeedButtonAddPaper", .Caption = L"新建(&W)",
                                                            .Bounds = {614, 16, 60, 64},
                                                            .Picture = L"PICTURE_ADD_PAPER",
                                                            .OnClick = Handler(&TfrmMain::SpeedButtonAddPaperClick)});
}

void TfrmMain::BuildPreviewColumn() {
  GroupBoxPrintEffect = Make<GroupBox>(*this, {.Name = L"GroupBoxPrintEffect", .Caption = L"打印设置",
                                               .Bounds = {0, 0, 0, 564}, .Align = Align::Top,
                                               .Margins = {0, 4, 0, 0}});
  Panel3 = Make<Panel>(*GroupBoxPrintEffect, {.Name = L"Panel3", .Bounds = {0, 0, 335, 0}, .Align = Align::Left});
  PanelPaperType = Make<Panel>(*Panel3, Row(L"PanelPaperType", L"纸张类型(&P):", 32));
  const NotifyEvent page_mark = Handler(&TfrmMain::RadioButtonPageMarkNoneClick);
  RadioButtonPageMarkLabel = Make<RadioButton>(*PanelPaperType, {.Name = L"RadioButtonPageMarkLabel",
                                                                 .Caption = L"标签纸", .Bounds = {70, 6, 64, 20},
                                                                 .Enabled = false, .OnClick = page_mark});
  RadioButtonPageMarkBlack = Make<RadioButton>(*PanelPaperType, {.Name = L"RadioButtonPageMarkBlack",
                                                                 .Caption = L"黑标纸", .Bounds = {136, 6, 64, 20},
                                                                 .Enabled = false, .OnClick = page_mark});
  RadioButtonPageMarkNone = Make<RadioButton>(*PanelPaperType, {.Name = L"RadioButtonPageMarkNone",
                                                                .Caption = L"连续纸", .Bounds = {202, 6, 64, 20},
                                                                .Enabled = false, .OnClick = page_mark});
  RadioButtonPageMarkTrim = Make<RadioButton>(*PanelPaperType, {.Name = L"RadioButtonPageMarkTrim",
                                                                .Caption = L"不定长", .Bounds = {268, 6, 64, 20},
                                                                .Enabled = false, .OnClick = page_mark});
  PanelImagePreview = Make<Panel>(*Panel3, {.Name = L"PanelImagePreview", .Align = Align::Client,
                                            .Margins = {4, 4, 4, 4}, .Color = kSilver});
  PanelDisplay = Make<Panel>(*PanelImagePreview, {.Name = L"PanelDisplay", .Bounds = {20, 20, 280, 440},
                                                  .Color = kWhite, .KeepColor = true});
  ImageDisplay = Make<Image>(*PanelDisplay, {.Name = L"ImageDisplay", .Bounds = {0, 0, 280, 440}, .Center = true,
                                             .Proportional = true, .PopupMenu = PopupMenuImagePreview,
                                             .AccessibleName = L"预览"});
  ImageSrc = Make<Image>(*PanelImagePreview, {.Name = L"ImageSrc", .Bounds = {0, 0, 100, 100}, .Visible = false,
                                              .AutoSize = true});
}

void TfrmMain::BuildEffects() {
  Panel2 = Make<Panel>(*GroupBoxPrintEffect, {.Name = L"Panel2", .Align = Align::Client});
  Panel1 = Make<Panel>(*Panel2, {.Name = L"Panel1", .Bounds = {0, 0, 0, 34}, .Align = Align::Top});
  ButtonResetDefault = Make<Button>(*Panel1, {.Name = L"ButtonResetDefault", .Caption = L"恢复默认(&D)",
                                              .Bounds = {8, 4, 90, 26}, .Enabled = false,
                                              .OnClick = Handler(&TfrmMain::ButtonResetDefaultClick)});

  GroupBoxEffects = Make<GroupBox>(*Panel2, {.Name = L"GroupBoxEffects", .Caption = L"效果",
                                             .Bounds = {0, 0, 0, 190}, .Align = Align::Top});
  PanelDirection = Make<Panel>(*GroupBoxEffects, Row(L"PanelDirection", L"打印方向(&N):", 30));
  const NotifyEvent rotate = Handler(&TfrmMain::RadioButtonRotate0Click);
  RadioButtonRotate0 = Make<RadioButton>(*PanelDirection, {.Name = L"RadioButtonRotate0", .Caption = L"0",
                                                           .Bounds = {80, 5, 44, 20}, .Enabled = false,
                                                           .OnClick = rotate});
  RadioButtonRotate90 = Make<RadioButton>(*PanelDirection, {.Name = L"RadioButtonRotate90", .Caption = L"90",
                                                            .Bounds = {128, 5, 48, 20}, .Enabled = false,
                                                            .OnClick = rotate});
  RadioButtonRotate180 = Make<RadioButton>(*PanelDirection, {.Name = L"RadioButtonRotate180", .Caption = L"180",
                                                             .Bounds = {180, 5, 52, 20}, .Enabled = false,
                                                             .OnClick = rotate});
  RadioButtonRotate270 = Make<RadioButton>(*PanelDirection, {.Name = L"RadioButtonRotate270", .Caption = L"270",
                                                             .Bounds = {236, 5, 52, 20}, .Enabled = false,
                                                             .OnClick = rotate});
  CheckBoxPaperRotate = Make<CheckBox>(*PanelDirection, {.Name = L"CheckBoxPaperRotate", .Caption = L"纸张旋转(&O)",
                                                         .Bounds = {300, 5, 96, 20}, .Enabled = false,
                                                         .OnClick = Handler(&TfrmMain::CheckBoxPaperRotateClick)});

  PanelEffect = Make<Panel>(*GroupBoxEffects, Row(L"PanelEffect", L"特殊效果(&F):", 30));
  CheckBoxFlipHorizontal = Make<CheckBox>(*PanelEffect, {.Name = L"CheckBoxFlipHorizontal", .Caption = L"水平翻转(&H)",
                                                         .Bounds = {80, 5, 88, 20}, .Enabled = false,
                                                         .OnClick = Handler(&TfrmMain::CheckBoxFlipHorizontalClick)});
  CheckBoxFlipVertical = Make<CheckBox>(*PanelEffect, {.Name = L"CheckBoxFlipVertical", .Caption = L"垂直翻转(&I)",
                                                       .Bounds = {172, 5, 88, 20}, .Enabled = false,
                                                       .OnClick = Handler(&TfrmMain::CheckBoxFlipVerticalClick)});
  CheckBoxEffectReverse = Make<CheckBox>(*PanelEffect, {.Name = L"CheckBoxEffectReverse", .Caption = L"黑白反色(&V)",
                                                        .Bounds = {264, 5, 88, 20}, .Enabled = false,
                                                        .OnClick = Handler(&TfrmMain::CheckBoxEffectReverseClick)});
  CheckBoxDualColor = Make<CheckBox>(*PanelEffect, {.Name = L"CheckBoxDualColor", .Caption = L"双色打印(&U)",
                                                    .Bounds = {356, 5, 96, 20}, .Enabled = false,
                                                    .OnClick = Handler(&TfrmMain::CheckBoxDualColorClick)});

  PanelThreshold = Make<Panel>(*GroupBoxEffects, Row(L"PanelThreshold", L"二值化(&A):", 44));
  const NotifyEvent halftone = Handler(&TfrmMain::RadioButtonHalftoneDitherClick);
  RadioButtonHalftoneBW = Make<RadioButton>(*PanelThreshold, {.Name = L"RadioButtonHalftoneBW", .Caption = L"阈值",
                                                              .Bounds = {80, 12, 56, 20}, .Enabled = false,
                                                              .OnClick = halftone});
  RadioButtonHalftoneDither = Make<RadioButton>(*PanelThreshold, {.Name = L"RadioButtonHalftoneDither",
                                                                  .Caption = L"水印", .Bounds = {140, 12, 60, 20},
                                                                  .Enabled = false, .OnClick = halftone});
  LabelBlacknessAdjust = Make<Label>(*PanelThreshold, {.Name = L"LabelBlacknessAdjust", .Caption = L"100",
                                                       .Bounds = {204, 14, 28, 18}, .Alignment = TextAlign::Right});
  TrackBarBlacknessAdjust = Make<TrackBar>(
      *PanelThreshold, {.Name = L"TrackBarBlacknessAdjust", .Bounds = {236, 4, 240, 36}, .Enabled = false,
                        .Min = 0, .Max = 100, .Position = 50, .PageSize = 10, .TicksBothSides = true,
                        .ValueLabel = LabelBlacknessAdjust, .AccessibleName = L"黑度",
                        .OnChange = Handler(&TfrmMain::TrackBarBlacknessAdjustChange)});

  PanelThresholdRed = Make<Panel>(*GroupBoxEffects, Row(L"PanelThresholdRed", L"红色(&R):", 44));
  PanelThresholdRed->Hide();
  const NotifyEvent halftone_red = Handler(&TfrmMain::RadioButtonHalftoneRedBWClick);
  RadioButtonHalftoneRedBW = Make<RadioButton>(*PanelThresholdRed, {.Name = L"RadioButtonHalftoneRedBW",
                                                                    .Caption = L"阈值", .Bounds = {80, 12, 56, 20},
                                                                    .Enabled = false, .OnClick = halftone_red});
  RadioButtonHalftoneRedDither = Make<RadioButton>(*PanelThresholdRed, {.Name = L"RadioButtonHalftoneRedDither",
                                                                        .Caption = L"水印",
                                                                        .Bounds = {140, 12, 60, 20},
                                                                        .Enabled = false, .OnClick = halftone_red});
  LabelBlacknessRedAdjust = Make<Label>(*PanelThresholdRed, {.Name = L"LabelBlacknessRedAdjust",
                                                             .Caption = L"100", .Bounds = {204, 14, 28, 18},
                                                             .Alignment = TextAlign::Right});
  TrackBarBlacknessRedAdjust = Make<TrackBar>(
      *PanelThresholdRed, {.Name = L"TrackBarBlacknessRedAdjust", .Bounds = {236, 4, 240, 36}, .Enabled = false,
                           .Min = 0, .Max = 100, .Position = 50, .PageSize = 10, .TicksBothSides = true,
                           .ValueLabel = LabelBlacknessRedAdjust, .AccessibleName = L"红色黑度",
                           .OnChange = Handler(&TfrmMain::TrackBarBlacknessRedAdjustChange)});
}

void TfrmMain::BuildZoomTrimAdjust() {
  GroupBox1 = Make<GroupBox>(*Panel2, {.Name = L"GroupBox1", .Caption = L"打印缩放", .Bounds = {0, 0, 0, 62},
                                       .Align = Align::Top});
  PanelZoom = Make<Panel>(*GroupBox1, Row(L"PanelZoom", L"缩放调整(&Z):", 32));
  std::vector<std::wstring> zoom_items;
  for (int i = 0; i < kZoomItems; ++i) zoom_items.push_back(ZoomItemText(i));
  ComboBoxZoom = Make<ComboBox>(*PanelZoom, {.Name = L"ComboBoxZoom", .Bounds = {80, 4, 120, 24},
                                             .Items = zoom_items, .ItemIndex = -1,
                                             .OnChange = Handler(&TfrmMain::ComboBoxZoomChange)});
  // The alignment of a zoomed picture has no control the user can reach; the
  // hidden buttons hold it for the preview.
  PanelZoomAlignH = Make<Panel>(*GroupBox1, {.Name = L"PanelZoomAlignH", .Caption = L"缩放对齐:",
                                             .Bounds = {0, 0, 300, 30}, .Visible = false});
  const NotifyEvent align_h = Handler(&TfrmMain::FormClick);
  RadioButtonZoomAlignHLeft = Make<RadioButton>(*PanelZoomAlignH, {.Name = L"RadioButtonZoomAlignHLeft",
                                                                   .Caption = L"左", .Bounds = {80, 5, 44, 20},
                                                                   .OnClick = align_h});
  RadioButtonZoomAlignHCenter = Make<RadioButton>(*PanelZoomAlignH, {.Name = L"RadioButtonZoomAlignHCenter",
                                                                     .Caption = L"中", .Bounds = {128, 5, 44, 20},
                                                                     .OnClick = align_h});
  RadioButtonZoomAlignHRight = Make<RadioButton>(*PanelZoomAlignH, {.Name = L"RadioButtonZoomAlignHRight",
                                                                    .Caption = L"右", .Bounds = {176, 5, 44, 20},
                                                                    .OnClick = align_h});
  PanelZoomAlignV = Make<Panel>(*GroupBox1, {.Name = L"PanelZoomAlignV", .Bounds = {0, 0, 300, 30},
                                             .Visible = false});
  const NotifyEvent align_v = Handler(&TfrmMain::RadioButtonZoomAlignVCenterClick);
  RadioButtonZoomAlignVTop = Make<RadioButton>(*PanelZoomAlignV, {.Name = L"RadioButtonZoomAlignVTop",
                                                                  .Caption = L"上", .Bounds = {80, 5, 44, 20},
                                                                  .OnClick = align_v});
  RadioButtonZoomAlignVCenter = Make<RadioButton>(*PanelZoomAlignV, {.Name = L"RadioButtonZoomAlignVCenter",
                                                                     .Caption = L"中", .Bounds = {128, 5, 44, 20},
                                                                     .OnClick = align_v});
  RadioButtonZoomAlignVBottom = Make<RadioButton>(*PanelZoomAlignV, {.Name = L"RadioButtonZoomAlignVBottom",
                                                                     .Caption = L"下", .Bounds = {176, 5, 44, 20},
                                                                     .OnClick = align_v});

  GroupBoxTrim = Make<GroupBox>(*Panel2, {.Name = L"GroupBoxTrim", .Caption = L"纸张裁剪", .Bounds = {0, 0, 0, 100},
                                          .Align = Align::Top});
  PanelTrimTop = Make<Panel>(*GroupBoxTrim, Row(L"PanelTrimTop", L"顶部裁剪(&M):", 38, RowState::Disabled));
  LabelTrimTop = Make<Label>(*PanelTrimTop, {.Name = L"LabelTrimTop", .Caption = L"0.0mm",
                                             .Bounds = {74, 10, 62, 18}, .Alignment = TextAlign::Center});
  TrackBarTrimTop = Make<TrackBar>(*PanelTrimTop, {.Name = L"TrackBarTrimTop", .Bounds = {140, 2, 300, 34},
                                                   .Enabled = false, .Min = 0, .Max = kTrimMax,
                                                   .ValueLabel = LabelTrimTop,
                                                   .OnChange = Handler(&TfrmMain::TrackBarTrimTopChange)});
  PanelTrimBottom = Make<Panel>(*GroupBoxTrim, Row(L"PanelTrimBottom", L"底部裁剪(&B):", 38, RowState::Disabled));
  LabelTrimBottom = Make<Label>(*PanelTrimBottom, {.Name = L"LabelTrimBottom", .Caption = L"0.0mm",
                                                   .Bounds = {74, 10, 62, 18}, .Alignment = TextAlign::Center});
  TrackBarTrimBottom = Make<TrackBar>(*PanelTrimBottom, {.Name = L"TrackBarTrimBottom",
                                                         .Bounds = {140, 2, 300, 34}, .Enabled = false, .Min = 0,
                                                         .Max = kTrimMax,
                                                         .ValueLabel = LabelTrimBottom,
                                                         .OnChange = Handler(&TfrmMain::TrackBarTrimBottomChange)});

  GroupBoxAdjust = Make<GroupBox>(*Panel2, {.Name = L"GroupBoxAdjust", .Caption = L"位置微调",
                                            .Bounds = {0, 0, 0, 100}, .Align = Align::Top});
  PanelPrintOffsetX = Make<Panel>(*GroupBoxAdjust, Row(L"PanelPrintOffsetX", L"水平偏移&X:", 38, RowState::Disabled));
  LabelOffsetX = Make<Label>(*PanelPrintOffsetX, {.Name = L"LabelOffsetX", .Caption = L"0.0mm",
                                                  .Bounds = {74, 10, 62, 18}, .Alignment = TextAlign::Center});
  TrackBarOffsetX = Make<TrackBar>(*PanelPrintOffsetX, {.Name = L"TrackBarOffsetX", .Bounds = {140, 2, 300, 34},
                                                        .Enabled = false, .Min = -kOffsetMax, .Max = kOffsetMax,
                                                        .ValueLabel = LabelOffsetX,
                                                        .OnChange = Handler(&TfrmMain::TrackBarOffsetXChange)});
  PanelPrintOffsetY = Make<Panel>(*GroupBoxAdjust, Row(L"PanelPrintOffsetY", L"垂直偏移&Y:", 38, RowState::Disabled));
  LabelOffsetY = Make<Label>(*PanelPrintOffsetY, {.Name = L"LabelOffsetY", .Caption = L"0.0mm",
                                                  .Bounds = {74, 10, 62, 18}, .Alignment = TextAlign::Center});
  TrackBarOffsetY = Make<TrackBar>(*PanelPrintOffsetY, {.Name = L"TrackBarOffsetY", .Bounds = {140, 2, 300, 34},
                                                        .Enabled = false, .Min = -kOffsetMax, .Max = kOffsetMax,
                                                        .ValueLabel = LabelOffsetY,
                                                        .OnChange = Handler(&TfrmMain::TrackBarOffsetYChange)});
}

}  // namespace velmo
