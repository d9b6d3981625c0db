#pragma once
// frmMain: the settings window. It lives inside the driver's print-settings
// page, shows the print features as controls, the preview, the paper list,
// the version line and the test-page and printer-settings buttons.
#include "preview_compose.h"
#include "toolkit_win.h"

namespace velmo {

class DriverChannel;

class TfrmMain : public toolkit::Form {
 public:
  TfrmMain();

  toolkit::Panel* PanelPaperAndTool;
  toolkit::Panel* Panel4;
  toolkit::Label* LabelVersion;
  toolkit::SpeedButton* SpeedButtonPrintTestPage;
  toolkit::SpeedButton* SpeedButtonPrinterSettings;
  toolkit::GroupBox* GroupBoxPapers;
  toolkit::SpeedButton* SpeedButtonEditPaper;
  toolkit::SpeedButton* SpeedButtonDeletePaper;
  toolkit::SpeedButton* SpeedButtonAddPaper;
  toolkit::ComboBox* ComboBoxPaperNames;

  toolkit::GroupBox* GroupBoxPrintEffect;
  toolkit::Panel* Panel3;
  toolkit::Panel* PanelPaperType;
  toolkit::RadioButton* RadioButtonPageMarkLabel;
  toolkit::RadioButton* RadioButtonPageMarkBlack;
  toolkit::RadioButton* RadioButtonPageMarkNone;
  toolkit::RadioButton* RadioButtonPageMarkTrim;
  toolkit::Panel* PanelImagePreview;
  toolkit::Panel* PanelDisplay;
  toolkit::Image* ImageDisplay;
  toolkit::Image* ImageSrc;

  toolkit::Panel* Panel2;
  toolkit::Panel* Panel1;
  toolkit::Button* ButtonResetDefault;
  toolkit::GroupBox* GroupBoxEffects;
  toolkit::Panel* PanelDirection;
  toolkit::RadioButton* RadioButtonRotate0;
  toolkit::RadioButton* RadioButtonRotate90;
  toolkit::RadioButton* RadioButtonRotate180;
  toolkit::RadioButton* RadioButtonRotate270;
  toolkit::CheckBox* CheckBoxPaperRotate;
  toolkit::Panel* PanelEffect;
  toolkit::CheckBox* CheckBoxFlipHorizontal;
  toolkit::CheckBox* CheckBoxFlipVertical;
  toolkit::CheckBox* CheckBoxEffectReverse;
  toolkit::CheckBox* CheckBoxDualColor;
  toolkit::Panel* PanelThreshold;
  toolkit::RadioButton* RadioButtonHalftoneBW;
  toolkit::RadioButton* RadioButtonHalftoneDither;
  toolkit::Label* LabelBlacknessAdjust;
  toolkit::TrackBar* TrackBarBlacknessAdjust;
  toolkit::Panel* PanelThresholdRed;
  toolkit::RadioButton* RadioButtonHalftoneRedBW;
  toolkit::RadioButton* RadioButtonHalftoneRedDither;
  toolkit::Label* LabelBlacknessRedAdjust;
  toolkit::TrackBar* TrackBarBlacknessRedAdjust;
  toolkit::GroupBox* GroupBox1;
  toolkit::Panel* PanelZoom;
  toolkit::ComboBox* ComboBoxZoom;
  toolkit::Panel* PanelZoomAlignH;
  toolkit::RadioButton* RadioButtonZoomAlignHLeft;
  toolkit::RadioButton* RadioButtonZoomAlignHCenter;
  toolkit::RadioButton* RadioButtonZoomAlignHRight;
  toolkit::Panel* PanelZoomAlignV;
  toolkit::RadioButton* RadioButtonZoomAlignVTop;
  toolkit::RadioButton* RadioButtonZoomAlignVCenter;
  toolkit::RadioButton* RadioButtonZoomAlignVBottom;
  toolkit::GroupBox* GroupBoxTrim;
  toolkit::Panel* PanelTrimTop;
  toolkit::Label* LabelTrimTop;
  toolkit::TrackBar* TrackBarTrimTop;
  toolkit::Panel* PanelTrimBottom;
  toolkit::Label* LabelTrimBottom;
  toolkit::TrackBar* TrackBarTrimBottom;
  toolkit::GroupBox* GroupBoxAdjust;
  toolkit::Panel* PanelPrintOffsetX;
  toolkit::Label* LabelOffsetX;
  toolkit::TrackBar* TrackBarOffsetX;
  toolkit::Panel* PanelPrintOffsetY;
  toolkit::Label* LabelOffsetY;
  toolkit::TrackBar* TrackBarOffsetY;

  toolkit::OpenPictureDialog* OpenPictureDialog1;
  toolkit::PopupMenu* PopupMenuImagePreview;
  toolkit::MenuItem* OpenPreviewImage1;
  toolkit::Timer* TimerOnShow;
  toolkit::Timer* TimerPrinterStatus;
  toolkit::Timer* TimerSwitchToFront;

  // Window and timers.
  void FormShow(toolkit::Component& Sender);
  void FormMouseActivate(toolkit::Component& Sender);
  void FormClick(toolkit::Component& Sender);
  void TimerOnShowTimer(toolkit::Component& Sender);
  void TimerPrinterStatusTimer(toolkit::Component& Sender);
  void TimerSwitchToFrontTimer(toolkit::Component& Sender);
  void SpeedButtonPrintTestPageClick(toolkit::Component& Sender);
  void SpeedButtonPrinterSettingsClick(toolkit::Component& Sender);
  // The version line opens the About dialog.
  void LabelVersionClick(toolkit::Component& Sender);

  // Preview.
  void RenderPreview();
  std::wstring PreviewDescription() const;
  void UpdatePreviewOffset();
  void OpenPreviewImage1Click(toolkit::Component& Sender);

  // Print features.
  void LoadFeatures();
  void ButtonResetDefaultClick(toolkit::Component& Sender);
  void RadioButtonRotate0Click(toolkit::Component& Sender);
  void CheckBoxPaperRotateClick(toolkit::Component& Sender);
  void RadioButtonHalftoneDitherClick(toolkit::Component& Sender);
  void TrackBarBlacknessAdjustChange(toolkit::Component& Sender);
  void RadioButtonHalftoneRedBWClick(toolkit::Component& Sender);
  void TrackBarBlacknessRedAdjustChange(toolkit::Component& Sender);
  void CheckBoxFlipHorizontalClick(toolkit::Component& Sender);
  void CheckBoxFlipVerticalClick(toolkit::Component& Sender);
  void CheckBoxEffectReverseClick(toolkit::Component& Sender);
  void CheckBoxDualColorClick(toolkit::Component& Sender);
  void ComboBoxZoomChange(toolkit::Component& Sender);
  void RadioButtonZoomAlignVCenterClick(toolkit::Component& Sender);
  void TrackBarTrimTopChange(toolkit::Component& Sender);
  void TrackBarTrimBottomChange(toolkit::Component& Sender);
  void TrackBarOffsetXChange(toolkit::Component& Sender);
  void TrackBarOffsetYChange(toolkit::Component& Sender);
  void RadioButtonPageMarkNoneClick(toolkit::Component& Sender);

  // Paper list.
  void FillPaperList();
  void ComboBoxPaperNamesChange(toolkit::Component& Sender);
  void ComboBoxPaperNamesDrawItem(toolkit::Component& Sender, toolkit::DrawItemArgs& Item);
  void SpeedButtonEditPaperClick(toolkit::Component& Sender);
  void SpeedButtonDeletePaperClick(toolkit::Component& Sender);
  void SpeedButtonAddPaperClick(toolkit::Component& Sender);

 protected:
  // Takes the driver's replies (WM_COPYDATA) before the toolkit does.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  PreviewControls PreviewState() const;
  void FinishConstruction();
  void BuildPaperStrip();
  void BuildPreviewColumn();
  void BuildEffects();
  void BuildZoomTrimAdjust();
};

extern TfrmMain* frmMain;

// Set by the first feature load; until then control changes draw nothing.
extern bool PreviewReady;

// The picture types the preview can decode, for the open dialog.
std::wstring PictureFilter();

// The channel to the driver's page, bound to frmMain's window.
DriverChannel& Driver();

}  // namespace velmo
