// A form holding every kind of control, laid out like the settings window:
// the Windows tests drive it and the benchmark times it.
#pragma once

#include "toolkit_win.h"

namespace toolkit {

class TfrmGallery : public Form {
 public:
  TfrmGallery();

  Panel* PanelPaperAndTool;
  Panel* Panel4;
  Label* LabelVersion;
  SpeedButton* SpeedButtonPrintTestPage;
  SpeedButton* SpeedButtonPrinterSettings;
  GroupBox* GroupBoxPapers;
  SpeedButton* SpeedButtonEditPaper;
  SpeedButton* SpeedButtonDeletePaper;
  SpeedButton* SpeedButtonAddPaper;
  ComboBox* ComboBoxPaperNames;
  GroupBox* GroupBoxPrintEffect;
  Panel* Panel3;
  Panel* PanelPaperType;
  RadioButton* RadioButtonPageMarkLabel;
  RadioButton* RadioButtonPageMarkBlack;
  RadioButton* RadioButtonPageMarkNone;
  RadioButton* RadioButtonPageMarkTrim;
  Panel* PanelImagePreview;
  Panel* PanelDisplay;
  Image* ImageDisplay;
  Panel* Panel2;
  Panel* Panel1;
  Button* ButtonResetDefault;
  GroupBox* GroupBoxEffects;
  Panel* PanelDirection;
  RadioButton* RadioButtonRotate0;
  RadioButton* RadioButtonRotate90;
  RadioButton* RadioButtonRotate180;
  RadioButton* RadioButtonRotate270;
  CheckBox* CheckBoxPaperRotate;
  Panel* PanelEffect;
  CheckBox* CheckBoxFlipHorizontal;
  CheckBox* CheckBoxFlipVertical;
  CheckBox* CheckBoxEffectReverse;
  CheckBox* CheckBoxDualColor;
  Panel* PanelThreshold;
  RadioButton* RadioButtonHalftoneBW;
  RadioButton* RadioButtonHalftoneDither;
  Label* LabelBlacknessAdjust;
  TrackBar* TrackBarBlacknessAdjust;
  Panel* PanelThresholdRed;
  GroupBox* GroupBox1;
  Panel* PanelZoom;
  ComboBox* ComboBoxZoom;
  PageControl* PageControlPrint;
  TabSheet* TabSheetPrint;
  Label* LabelPrintDarkness;
  TrackBar* TrackBarDarkness;
  Label* LabelPrintMode;
  Panel* PanelPrintMode;
  RadioButton* RadioButtonPrintModeNormal;
  RadioButton* RadioButtonPrintModeFast;
  RadioButton* RadioButtonPrintModePrecise;
  CheckBox* CheckBoxAutoFeed;
  CheckBox* CheckBoxAutoReprint;
  CheckBox* CheckBoxOnlyOnePage;
  TabSheet* TabSheetNet;
  LabeledEdit* LabeledEditLanIpAddress;
  CheckBox* CheckBoxLanIpDhcp;
  LabeledEdit* LabeledEditLanNetmask;
  Label* Label1;
  LabeledEdit* LabeledEditLanGateway;
  LabeledEdit* LabeledEditWifiPassword;
  LabeledEdit* LabeledEditModelName;
  TabSheet* TabSheetPrinters;
  ListView* ListView1;
  Panel* PanelButtons;
  Button* ButtonCancel;
  Button* ButtonInstall;
  ImageList* ImageList1;
  PopupMenu* PopupMenuImagePreview;
  MenuItem* OpenPreviewImage1;
  OpenPictureDialog* OpenPictureDialog1;
  Timer* TimerPrinterStatus;
  Timer* TimerShow;
};

// A 32 x 32 picture drawn in code: a frame and a diagonal in `ink` on magenta,
// which speed buttons take as transparent.
UniqueBitmap MakeSamplePicture(COLORREF ink);

}  // namespace toolkit
