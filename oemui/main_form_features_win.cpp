// frmMain's print features: the load of every feature into its control, the
// handlers that write each change back to the driver, and the reset to the
// driver's defaults.
#include <optional>
#include <string>
#include <vector>

#include "driver_channel.h"
#include "feature_codecs.h"
#include "main_form_win.h"
#include "text_win.h"

namespace velmo {

using toolkit::CheckBox;
using toolkit::Component;
using toolkit::RadioButton;
using toolkit::TrackBar;

namespace {

// Reads one feature; nothing when the driver did not answer in time.
std::optional<std::string> Read(const char* keyword) {
  std::string option = Driver().GetFeatureOption(keyword);
  if (Driver().ReplyTimedOut()) return std::nullopt;
  return option;
}

void Write(const char* keyword, const std::string& option) { Driver().SetFeatureOption(keyword, option); }

struct Choice {
  RadioButton* button;
  const char* option;
};
using Choices = std::vector<Choice>;

// Each radio group with the option of each button, for loading and writing.
Choices HalftoneChoices(TfrmMain& f) {
  return {{f.RadioButtonHalftoneBW, "BW"}, {f.RadioButtonHalftoneDither, "DITHER"}};
}
Choices HalftoneRedChoices(TfrmMain& f) {
  return {{f.RadioButtonHalftoneRedBW, "BW"}, {f.RadioButtonHalftoneRedDither, "DITHER"}};
}
Choices ZoomAlignHChoices(TfrmMain& f) {
  return {{f.RadioButtonZoomAlignHLeft, "Left"},
          {f.RadioButtonZoomAlignHCenter, "Center"},
          {f.RadioButtonZoomAlignHRight, "Right"}};
}
Choices ZoomAlignVChoices(TfrmMain& f) {
  return {{f.RadioButtonZoomAlignVTop, "Top"},
          {f.RadioButtonZoomAlignVCenter, "Center"},
          {f.RadioButtonZoomAlignVBottom, "Bottom"}};
}
Choices PageMarkChoices(TfrmMain& f) {
  return {{f.RadioButtonPageMarkLabel, "PageMarkLabel"},
          {f.RadioButtonPageMarkBlack, "PageMarkBlack"},
          {f.RadioButtonPageMarkNone, "PageMarkNone"},
          {f.RadioButtonPageMarkTrim, "PageMarkTrim"}};
}

// Enables a group of radio buttons and checks the one named by the option;
// an option that names none leaves them as they are.
void LoadChoice(const char* keyword, const Choices& choices) {
  const auto option = Read(keyword);
  if (!option) return;
  for (const Choice& c : choices) c.button->SetEnabled(true);
  for (const Choice& c : choices)
    if (*option == c.option) c.button->SetChecked(true);
}

void WriteChoice(const char* keyword, const Choices& choices) {
  for (const Choice& c : choices)
    if (c.button->Checked()) return Write(keyword, c.option);
}

void LoadCheck(const char* keyword, CheckBox* box) {
  const auto option = Read(keyword);
  if (!option) return;
  box->SetEnabled(true);
  box->SetChecked(IsOn(*option));
}

// Sets a bar so that its change handler runs exactly once.
void SetBar(TfrmMain& form, TrackBar* bar, int position, void (TfrmMain::*change)(Component&)) {
  if (bar->Position() == position)
    (form.*change)(*bar);
  else
    bar->SetPosition(position);
}

// The high digit, then the low one, each from the bar's position at the time
// of its write: a drag handled during the first write's wait moves the bar.
void WriteBlackness(TfrmMain& form, const char* high_key, const char* low_key, TrackBar* bar, toolkit::Label* label) {
  Write(high_key, BlacknessOptions(bar->Position()).first);
  Write(low_key, BlacknessOptions(bar->Position()).second);
  label->SetCaption(WidenAnsi(BlacknessLabel(bar->Position())));
  form.RenderPreview();
}

void LoadBar(TfrmMain& form, const char* keyword, toolkit::Panel* panel, TrackBar* bar,
             int (*position_of)(std::string_view), void (TfrmMain::*change)(Component&)) {
  const auto option = Read(keyword);
  if (!option) return;
  panel->SetEnabled(true);
  bar->SetEnabled(true);
  SetBar(form, bar, position_of(*option), change);
}

}  // namespace

void TfrmMain::LoadFeatures() {
  // While the list is empty no handler set off below writes to the driver.
  Driver().ClearSupportedFeatures();

  const auto orientation = Read("Orientation");
  const auto orientation_ext = Read("OrientationExt");
  if (orientation_ext) {
    RadioButton* rotations[] = {RadioButtonRotate0, RadioButtonRotate90, RadioButtonRotate180, RadioButtonRotate270};
    for (RadioButton* b : rotations) b->SetEnabled(true);
    const int button = RotationButtonOf(orientation.value_or(""), *orientation_ext);
    if (button >= 0) rotations[button]->SetChecked(true);
  }

  LoadCheck("PaperRotate", CheckBoxPaperRotate);
  LoadChoice("Halftone", HalftoneChoices(*this));
  auto load_blackness = [this](const char* high_key, const char* low_key, TrackBar* bar,
                               void (TfrmMain::*change)(Component&)) {
    const auto high = Read(high_key);
    const auto low = Read(low_key);
    if (!low) return;
    ButtonResetDefault->SetEnabled(true);
    bar->SetEnabled(true);
    bar->SetMax(kBlacknessMax);
    SetBar(*this, bar, BlacknessPosition(high.value_or(""), *low), change);
  };
  load_blackness("BlacknessAdjustH", "BlacknessAdjustL", TrackBarBlacknessAdjust,
                 &TfrmMain::TrackBarBlacknessAdjustChange);
  LoadChoice("HalftoneRed", HalftoneRedChoices(*this));
  load_blackness("BlacknessRedAdjustH", "BlacknessRedAdjustL", TrackBarBlacknessRedAdjust,
                 &TfrmMain::TrackBarBlacknessRedAdjustChange);
  LoadCheck("FlipHorizontal", CheckBoxFlipHorizontal);
  LoadCheck("FlipVertical", CheckBoxFlipVertical);
  LoadCheck("PrintReverse", CheckBoxEffectReverse);

  if (const auto support = Read("PrintDualColorSupport")) {
    CheckBoxDualColor->SetVisible(IsOn(*support));
    if (const auto dual = Read("PrintDualColor")) {
      CheckBoxDualColor->SetEnabled(true);
      CheckBoxDualColor->SetChecked(IsOn(*dual));
      PanelThresholdRed->SetVisible(IsOn(*dual));
    }
  }

  if (const auto zoom = Read("PrintZoom")) {
    PanelZoom->SetEnabled(true);
    ComboBoxZoom->SetEnabled(true);
    ComboBoxZoom->SetItemIndex(ZoomIndexOf(*zoom));
    ComboBoxZoomChange(*ComboBoxZoom);
  }
  LoadChoice("PrintZoomAlignH", ZoomAlignHChoices(*this));
  LoadChoice("PrintZoomAlignV", ZoomAlignVChoices(*this));

  LoadBar(*this, "PrintTrimTop", PanelTrimTop, TrackBarTrimTop, TrimPosition, &TfrmMain::TrackBarTrimTopChange);
  LoadBar(*this, "PrintTrimBottom", PanelTrimBottom, TrackBarTrimBottom, TrimPosition,
          &TfrmMain::TrackBarTrimBottomChange);
  LoadBar(*this, "PrintOffsetX", PanelPrintOffsetX, TrackBarOffsetX, OffsetPosition, &TfrmMain::TrackBarOffsetXChange);
  LoadBar(*this, "PrintOffsetY", PanelPrintOffsetY, TrackBarOffsetY, OffsetPosition, &TfrmMain::TrackBarOffsetYChange);
  LoadChoice("PageMark", PageMarkChoices(*this));

  Driver().EnumFeatures();
  FillPaperList();

  PreviewReady = true;
  RenderPreview();
}

void TfrmMain::ButtonResetDefaultClick(Component&) {
  for (const char* keyword : kResetOrder) {
    const std::string default_key = std::string(keyword) + "Default";
    const std::string option = Driver().GetFeatureOption(default_key);
    // A default that did not come, or came empty, would overwrite the
    // setting with another request's answer or with nothing.
    if (Driver().ReplyTimedOut() || option.empty()) continue;
    Write(keyword, option);
  }
  LoadFeatures();
}

void TfrmMain::RadioButtonRotate0Click(Component& Sender) {
  if (!static_cast<RadioButton&>(Sender).Checked()) return;
  RadioButton* rotations[] = {RadioButtonRotate0, RadioButtonRotate90, RadioButtonRotate180, RadioButtonRotate270};
  // Each option is taken from the button checked now: another click handled
  // during the first write's wait may have changed it.
  auto checked_pair = [&rotations] {
    for (int i = 0; i < 4; ++i)
      if (rotations[i]->Checked()) return OrientationPairOf(i);
    return OrientationPairOf(0);
  };
  Write("Orientation", checked_pair().first);
  Write("OrientationExt", checked_pair().second);
  RenderPreview();
}

void TfrmMain::CheckBoxPaperRotateClick(Component&) {
  Write("PaperRotate", OnOff(CheckBoxPaperRotate->Checked()));
  RenderPreview();
}

void TfrmMain::RadioButtonHalftoneDitherClick(Component& Sender) {
  if (!static_cast<RadioButton&>(Sender).Checked()) return;
  WriteChoice("Halftone", HalftoneChoices(*this));
  RenderPreview();
}

void TfrmMain::TrackBarBlacknessAdjustChange(Component&) {
  WriteBlackness(*this, "BlacknessAdjustH", "BlacknessAdjustL", TrackBarBlacknessAdjust, LabelBlacknessAdjust);
}

void TfrmMain::RadioButtonHalftoneRedBWClick(Component& Sender) {
  if (!static_cast<RadioButton&>(Sender).Checked()) return;
  WriteChoice("HalftoneRed", HalftoneRedChoices(*this));
  RenderPreview();
}

void TfrmMain::TrackBarBlacknessRedAdjustChange(Component&) {
  WriteBlackness(*this, "BlacknessRedAdjustH", "BlacknessRedAdjustL", TrackBarBlacknessRedAdjust,
                 LabelBlacknessRedAdjust);
}

void TfrmMain::CheckBoxFlipHorizontalClick(Component&) {
  Write("FlipHorizontal", OnOff(CheckBoxFlipHorizontal->Checked()));
  RenderPreview();
}

void TfrmMain::CheckBoxFlipVerticalClick(Component&) {
  Write("FlipVertical", OnOff(CheckBoxFlipVertical->Checked()));
  RenderPreview();
}

void TfrmMain::CheckBoxEffectReverseClick(Component&) {
  Write("PrintReverse", OnOff(CheckBoxEffectReverse->Checked()));
  RenderPreview();
}

void TfrmMain::CheckBoxDualColorClick(Component&) {
  PanelThresholdRed->SetVisible(CheckBoxDualColor->Checked());
  Write("PrintDualColor", OnOff(CheckBoxDualColor->Checked()));
  RenderPreview();
}

void TfrmMain::ComboBoxZoomChange(Component&) {
  Write("PrintZoom", ZoomOption(ComboBoxZoom->ItemIndex()));
  RenderPreview();
}

void TfrmMain::FormClick(Component& Sender) {
  // The window's own background click shares this handler and changes nothing.
  if (&Sender == this || !static_cast<RadioButton&>(Sender).Checked()) return;
  WriteChoice("PrintZoomAlignH", ZoomAlignHChoices(*this));
  RenderPreview();
}

void TfrmMain::RadioButtonZoomAlignVCenterClick(Component& Sender) {
  if (!static_cast<RadioButton&>(Sender).Checked()) return;
  WriteChoice("PrintZoomAlignV", ZoomAlignVChoices(*this));
  RenderPreview();
}

void TfrmMain::TrackBarTrimTopChange(Component&) {
  Write("PrintTrimTop", TrimOption(TrackBarTrimTop->Position()));
  LabelTrimTop->SetCaption(WidenAnsi(TrimLabel(TrackBarTrimTop->Position())));
}

void TfrmMain::TrackBarTrimBottomChange(Component&) {
  Write("PrintTrimBottom", TrimOption(TrackBarTrimBottom->Position()));
  LabelTrimBottom->SetCaption(WidenAnsi(TrimLabel(TrackBarTrimBottom->Position())));
}

void TfrmMain::TrackBarOffsetXChange(Component&) {
  Write("PrintOffsetX", OffsetOption(TrackBarOffsetX->Position()));
  LabelOffsetX->SetCaption(WidenAnsi(OffsetLabel(TrackBarOffsetX->Position())));
  UpdatePreviewOffset();
}

void TfrmMain::TrackBarOffsetYChange(Component&) {
  Write("PrintOffsetY", OffsetOption(TrackBarOffsetY->Position()));
  LabelOffsetY->SetCaption(WidenAnsi(OffsetLabel(TrackBarOffsetY->Position())));
  UpdatePreviewOffset();
}

void TfrmMain::RadioButtonPageMarkNoneClick(Component& Sender) {
  if (!static_cast<RadioButton&>(Sender).Checked()) return;
  WriteChoice("PageMark", PageMarkChoices(*this));
}

}  // namespace velmo
