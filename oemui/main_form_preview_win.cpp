// frmMain's preview: the window's controls in, the composed picture out.
#include <optional>
#include <stdexcept>

#include "english_mode.h"
#include "main_form_win.h"
#include "picture_bitmap_win.h"
#include "preview_compose.h"

namespace velmo {

bool PreviewReady = false;

namespace {

// The source picture, decoded: the sample until the user opens another.
std::optional<ColorImage> g_source;
// Whether a render has run since the picture was loaded.
bool g_rendered = false;

}  // namespace

std::wstring PictureFilter() {
  return IsEnglish() ? L"Pictures (*.jpg;*.jpeg;*.png;*.bmp)|*.jpg;*.jpeg;*.png;*.bmp|JPEG (*.jpg;*.jpeg)|*.jpg;"
                       L"*.jpeg|PNG (*.png)|*.png|Bitmap (*.bmp)|*.bmp|"
                     : L"图片 (*.jpg;*.jpeg;*.png;*.bmp)|*.jpg;*.jpeg;*.png;*.bmp|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                       L"PNG (*.png)|*.png|位图 (*.bmp)|*.bmp|";
}

PreviewControls TfrmMain::PreviewState() const {
  PreviewControls c;
  c.rotation = RadioButtonRotate0->Checked()     ? PreviewRotation::Deg0
               : RadioButtonRotate90->Checked()  ? PreviewRotation::Deg90
               : RadioButtonRotate180->Checked() ? PreviewRotation::Deg180
               : RadioButtonRotate270->Checked() ? PreviewRotation::Deg270
                                                 : PreviewRotation::None;
  c.paperRotate = CheckBoxPaperRotate->Checked();
  c.flipHorizontal = CheckBoxFlipHorizontal->Checked();
  c.flipVertical = CheckBoxFlipVertical->Checked();
  c.reverse = CheckBoxEffectReverse->Checked();
  c.halftone = RadioButtonHalftoneBW->Checked() ? PreviewHalftone::Threshold : PreviewHalftone::Dither;
  c.blackness = TrackBarBlacknessAdjust->Position();
  // With no zoom selected (the driver's zoom unread or off the list) the
  // picture is shown as it fits, at 100 %.
  c.zoomIndex = ComboBoxZoom->ItemIndex() < 0 ? kZoomIndexFull : ComboBoxZoom->ItemIndex();
  c.zoomAlignH = RadioButtonZoomAlignHCenter->Checked()  ? PreviewAlignH::Center
                 : RadioButtonZoomAlignHRight->Checked() ? PreviewAlignH::Right
                                                         : PreviewAlignH::Left;
  c.zoomAlignV = RadioButtonZoomAlignVCenter->Checked()   ? PreviewAlignV::Center
                 : RadioButtonZoomAlignVBottom->Checked() ? PreviewAlignV::Bottom
                                                          : PreviewAlignV::Top;
  c.areaWidth = PanelImagePreview->Width();
  c.areaHeight = PanelImagePreview->Height();
  c.offsetX = TrackBarOffsetX->Position();
  c.offsetY = TrackBarOffsetY->Position();
  return c;
}

void TfrmMain::UpdatePreviewOffset() {
  const PreviewOffset offset = ImageOffset(TrackBarOffsetX->Position(), TrackBarOffsetY->Position());
  toolkit::Rect bounds = ImageDisplay->Bounds();
  ImageDisplay->SetBounds({offset.left, offset.top, bounds.Width, bounds.Height});
}

void TfrmMain::RenderPreview() {
  if (!PreviewReady) return;
  UpdatePreviewOffset();
  if (!g_source) g_source = LoadPictureResource(L"SAMPLE_PHOTO");
  if (!g_source) return;
  g_rendered = true;
  const PreviewFrame frame = ComposePreview(PreviewState(), *g_source);
  PanelDisplay->SetBounds({frame.panel.left, frame.panel.top, frame.panel.width, frame.panel.height});
  ImageDisplay->SetBounds({frame.image.left, frame.image.top, frame.panel.width, frame.panel.height});
  ImageDisplay->SetPicture(BitmapFromPicture(frame.picture));
  ImageDisplay->SetAccessibleDescription(PreviewDescription());
}

// What the preview shows, for screen readers: the choices that shape it, in
// the window's own words and so in its language.
std::wstring TfrmMain::PreviewDescription() const {
  std::wstring said;
  auto add = [&said](const std::wstring& part) {
    if (!part.empty()) said += (said.empty() ? L"" : L", ") + part;
  };
  for (toolkit::RadioButton* choice : {RadioButtonRotate0, RadioButtonRotate90, RadioButtonRotate180,
                                       RadioButtonRotate270, RadioButtonHalftoneBW, RadioButtonHalftoneDither})
    if (choice->Checked()) add(choice->AccessibleNameText());
  for (toolkit::CheckBox* effect : {CheckBoxPaperRotate, CheckBoxFlipHorizontal, CheckBoxFlipVertical,
                                    CheckBoxEffectReverse})
    if (effect->Checked()) add(effect->AccessibleNameText());
  add(TrackBarBlacknessAdjust->AccessibleNameText() + L" " + TrackBarBlacknessAdjust->AccessibleValue());
  if (const int zoom = ComboBoxZoom->ItemIndex(); zoom >= 0)
    add(ComboBoxZoom->AccessibleNameText() + L" " + ComboBoxZoom->ItemText(zoom));
  return said;
}

void TfrmMain::OpenPreviewImage1Click(toolkit::Component&) {
  if (!OpenPictureDialog1->Execute()) return;
  std::optional<ColorImage> picture = LoadPictureFile(OpenPictureDialog1->FileName());
  if (!picture)
    throw std::runtime_error(IsEnglish() ? "The file is not a JPEG, PNG or bitmap picture that can be read."
                                         : "文件不是可读的 JPEG、PNG 或位图图片。");
  ImageSrc->SetPicture(BitmapFromPicture(*picture));
  g_source = std::move(picture);
  // Before the first render the new picture simply waits for it.
  if (g_rendered) RenderPreview();
}

}  // namespace velmo
