// frmMain against an in-process plug-in: the feature load fills the controls
// without writing back, later changes write, the reset skips bad defaults,
// and the window embeds itself in the page.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "about_form_win.h"
#include "application_win.h"
#include "driver_channel.h"
#include "english_mode.h"
#include "fake_plugin_wintest.h"
#include "launch_win.h"
#include "main_form_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

std::map<std::string, std::string> DriverOptions() {
  return {{"Orientation", "LANDSCAPE_CC90"}, {"OrientationExt", "ON"}, {"PaperRotate", "ON"},
          {"Halftone", "BW"}, {"BlacknessAdjustH", "h5"}, {"BlacknessAdjustL", "l7"},
          {"HalftoneRed", "DITHER"}, {"BlacknessRedAdjustH", "h3"}, {"BlacknessRedAdjustL", "l0"},
          {"FlipHorizontal", "ON"}, {"FlipVertical", "OFF"}, {"PrintReverse", "ON"},
          {"PrintDualColorSupport", "OFF"}, {"PrintDualColor", "ON"}, {"PrintZoom", "z100"},
          {"PrintZoomAlignH", "Right"}, {"PrintZoomAlignV", "Bottom"}, {"PrintTrimTop", "p25"},
          {"PrintTrimBottom", "p200"}, {"PrintOffsetX", "m25"}, {"PrintOffsetY", "p50"},
          {"PageMark", "PageMarkBlack"}};
}

class SettingsWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plugin_ = new FakePluginWindow();
    Launch = {};
    Launch.DialogWindow = uint32_t(reinterpret_cast<uintptr_t>(plugin_->Handle()));
    frmMain = new TfrmMain();
  }
  static void TearDownTestSuite() {
    delete frmMain;
    frmMain = nullptr;
    delete plugin_;
  }
  void SetUp() override {
    plugin_->options = DriverOptions();
    plugin_->supported.clear();
    for (const auto& [k, v] : plugin_->options) plugin_->supported.push_back(k);
    plugin_->unanswered.clear();
    plugin_->requests.clear();
    plugin_->slow = false;
    plugin_->on_request = nullptr;
    plugin_->paper = "1";
  }
  void TearDown() override { plugin_->on_request = nullptr; }

  static FakePluginWindow* plugin_;
};
FakePluginWindow* SettingsWindow::plugin_ = nullptr;

TEST_F(SettingsWindow, LoadFillsEveryControlWithoutWritingBack) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  EXPECT_EQ(plugin_->CountOf(4), 0) << "no request 4 during a load";
  EXPECT_EQ(plugin_->CountOf(3), 22);
  ASSERT_GE(plugin_->requests.size(), 2u);
  EXPECT_EQ(plugin_->requests[plugin_->requests.size() - 2].code, 1u) << "EnumFeatures comes after the reads";
  EXPECT_EQ(plugin_->requests.back().code, 6u) << "then the paper list asks for the current paper";

  EXPECT_TRUE(f.RadioButtonRotate270->Checked());
  EXPECT_TRUE(f.RadioButtonRotate0->Enabled());
  EXPECT_TRUE(f.CheckBoxPaperRotate->Checked());
  EXPECT_TRUE(f.RadioButtonHalftoneBW->Checked());
  EXPECT_EQ(f.TrackBarBlacknessAdjust->Position(), 57);
  EXPECT_EQ(f.LabelBlacknessAdjust->Caption(), L"57");
  EXPECT_TRUE(f.ButtonResetDefault->Enabled());
  EXPECT_TRUE(f.RadioButtonHalftoneRedDither->Checked());
  EXPECT_EQ(f.TrackBarBlacknessRedAdjust->Position(), 30);
  EXPECT_TRUE(f.CheckBoxFlipHorizontal->Checked());
  EXPECT_FALSE(f.CheckBoxFlipVertical->Checked());
  EXPECT_TRUE(f.CheckBoxEffectReverse->Checked());
  EXPECT_FALSE(f.CheckBoxDualColor->Visible()) << "support OFF hides the box";
  EXPECT_TRUE(f.CheckBoxDualColor->Checked());
  EXPECT_TRUE(f.PanelThresholdRed->Visible()) << "but two-colour ON still shows the red row";
  EXPECT_EQ(f.ComboBoxZoom->ItemIndex(), 10);
  EXPECT_TRUE(f.RadioButtonZoomAlignHRight->Checked());
  EXPECT_TRUE(f.RadioButtonZoomAlignVBottom->Checked());
  EXPECT_EQ(f.TrackBarTrimTop->Position(), 5);
  EXPECT_EQ(f.LabelTrimTop->Caption(), L"2.5mm");
  EXPECT_EQ(f.TrackBarTrimBottom->Position(), 19);
  EXPECT_EQ(f.TrackBarOffsetX->Position(), -5);
  EXPECT_EQ(f.LabelOffsetX->Caption(), L" -2.5mm");
  EXPECT_EQ(f.TrackBarOffsetY->Position(), 10);
  EXPECT_TRUE(f.PanelPrintOffsetY->Enabled());
  EXPECT_TRUE(f.RadioButtonPageMarkBlack->Checked());
}

TEST_F(SettingsWindow, ChangesAfterTheLoadWriteTheirFeature) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  plugin_->requests.clear();
  f.TrackBarBlacknessAdjust->SetPosition(100);
  f.RadioButtonRotate90->SetChecked(true);
  f.CheckBoxFlipVertical->SetChecked(true);
  f.TrackBarOffsetX->SetPosition(-1);
  EXPECT_EQ(plugin_->options["Orientation"], "LANDSCAPE_CC90");
  // The high digit before the low one; Orientation was already right.
  EXPECT_EQ(plugin_->PayloadsOf(4),
            (std::vector<std::string>{"BlacknessAdjustH=h10", "BlacknessAdjustL=l0", "OrientationExt=OFF",
                                      "FlipVertical=ON", "PrintOffsetX=m05"}));
}

TEST_F(SettingsWindow, SecondLoadReadsInOrderAndWritesNothing) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  plugin_->requests.clear();
  // Controls are already enabled and the list is known: only the emptied
  // list keeps the load's own changes (PrintTrimBottom p200 shows as p95)
  // from being written back.
  f.LoadFeatures();
  EXPECT_EQ(plugin_->PayloadsOf(3),
            (std::vector<std::string>{"Orientation", "OrientationExt", "PaperRotate", "Halftone", "BlacknessAdjustH",
                                      "BlacknessAdjustL", "HalftoneRed", "BlacknessRedAdjustH", "BlacknessRedAdjustL",
                                      "FlipHorizontal", "FlipVertical", "PrintReverse", "PrintDualColorSupport",
                                      "PrintDualColor", "PrintZoom", "PrintZoomAlignH", "PrintZoomAlignV",
                                      "PrintTrimTop", "PrintTrimBottom", "PrintOffsetX", "PrintOffsetY",
                                      "PageMark"}));
  EXPECT_EQ(plugin_->CountOf(4), 0);
  EXPECT_EQ(plugin_->requests.size(), 24u) << "22 reads, the list, the current paper";
  EXPECT_EQ(plugin_->options["PrintTrimBottom"], "p200");
}

// Runs `change` once, 10 ms from now, from the message loop, as a user's
// click or drag handled during a request's wait.
std::function<void()> g_user_change;
VOID CALLBACK UserChangeTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto change = std::move(g_user_change);
  g_user_change = nullptr;
  if (change) change();
}
void UserChangeSoon(std::function<void()> change) {
  g_user_change = std::move(change);
  SetTimer(nullptr, 0, 10, UserChangeTimer);
}

TEST_F(SettingsWindow, ChangeDuringASlowLoadReachesTheDriver) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  plugin_->slow = true;
  plugin_->requests.clear();
  plugin_->on_request = [&f](const FakePluginWindow::Request& r) {
    if (r.code != 3 || r.payload != "PrintZoomAlignH") return;
    UserChangeSoon([&f] {
      f.CheckBoxFlipHorizontal->SetChecked(false);  // read already: the user's change stands
      f.TrackBarTrimTop->SetPosition(2);            // read later: the load shows the driver's
    });
  };
  f.LoadFeatures();
  ASSERT_FALSE(g_user_change) << "the change ran during the load";
  EXPECT_FALSE(f.CheckBoxFlipHorizontal->Checked());
  EXPECT_EQ(plugin_->options["FlipHorizontal"], "OFF") << "shown as changed, so written";
  EXPECT_EQ(f.TrackBarTrimTop->Position(), 5);
  EXPECT_EQ(plugin_->options["PrintTrimTop"], "p25");
  EXPECT_EQ(plugin_->PayloadsOf(4), std::vector<std::string>{"FlipHorizontal=OFF"});
}

TEST_F(SettingsWindow, ListThatTimedOutIsAskedForAgainByTheNextChange) {
  TfrmMain& f = *frmMain;
  plugin_->unanswered = {"EnumFeatures"};
  f.LoadFeatures();
  plugin_->unanswered.clear();
  f.CheckBoxFlipVertical->SetChecked(true);
  EXPECT_EQ(plugin_->options["FlipVertical"], "ON");
  f.CheckBoxFlipVertical->SetChecked(false);
  EXPECT_EQ(plugin_->options["FlipVertical"], "OFF");
}

TEST_F(SettingsWindow, SecondDragDuringTheFirstsWaitWins) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  plugin_->slow = true;
  bool armed = true;
  plugin_->on_request = [&f, &armed](const FakePluginWindow::Request& r) {
    if (!armed || r.code != 3 || r.payload != "BlacknessAdjustH") return;
    armed = false;
    UserChangeSoon([&f] { f.TrackBarBlacknessAdjust->SetPosition(70); });
  };
  f.TrackBarBlacknessAdjust->SetPosition(30);
  EXPECT_EQ(f.TrackBarBlacknessAdjust->Position(), 70);
  EXPECT_EQ(f.LabelBlacknessAdjust->Caption(), L"70");
  EXPECT_EQ(plugin_->options["BlacknessAdjustH"], "h7") << "the page ends on what the bar shows";
  EXPECT_EQ(plugin_->options["BlacknessAdjustL"], "l0");
}

TEST_F(SettingsWindow, PaperIndexThatIsNoNumberFinishesTheLoad) {
  TfrmMain probe;  // no picture yet
  plugin_->paper = "abc";
  EXPECT_NO_THROW(probe.LoadFeatures());
  EXPECT_TRUE(PreviewReady);
  EXPECT_NE(probe.ImageDisplay->Picture(), nullptr) << "the preview is drawn";
  EXPECT_EQ(probe.ComboBoxPaperNames->ItemIndex(), -1);
}

TEST_F(SettingsWindow, TimedOutFeatureLeavesItsControlAsItWas) {
  TfrmMain probe;  // a fresh window, all controls as designed
  plugin_->unanswered = {"PrintTrimTop", "PrintDualColorSupport"};
  probe.LoadFeatures();  // replies still reach the channel through frmMain
  EXPECT_FALSE(probe.TrackBarTrimTop->Enabled());
  EXPECT_FALSE(probe.PanelTrimTop->Enabled());
  EXPECT_FALSE(probe.CheckBoxDualColor->Enabled()) << "a timed-out support read skips the two-colour read";
  EXPECT_TRUE(probe.TrackBarTrimBottom->Enabled());
}

TEST_F(SettingsWindow, ResetWritesOnlyDefaultsThatCame) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  plugin_->options["HalftoneDefault"] = "DITHER";
  plugin_->options["PaperRotateDefault"] = "";
  plugin_->options["PrintZoomDefault"] = "z120";
  plugin_->options["FlipHorizontalDefault"] = "OFF";
  plugin_->unanswered = {"FlipHorizontalDefault"};
  plugin_->requests.clear();
  f.ButtonResetDefaultClick(*f.ButtonResetDefault);
  EXPECT_EQ(plugin_->options["Halftone"], "DITHER");
  EXPECT_EQ(plugin_->options["PrintZoom"], "z120");
  EXPECT_EQ(plugin_->options["PaperRotate"], "ON") << "an empty default is not written";
  EXPECT_EQ(plugin_->options["FlipHorizontal"], "ON") << "a default that timed out is not written";
  EXPECT_EQ(plugin_->CountOf(4), 2);
  EXPECT_TRUE(f.RadioButtonHalftoneDither->Checked()) << "the load after the reset shows the new state";
  EXPECT_EQ(f.ComboBoxZoom->ItemIndex(), 14);
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

bool HasChinese(const std::wstring& text) {
  for (wchar_t c : text)
    if (c >= 0x2E80) return true;
  return false;
}

TEST(SettingsWindowLanguage, EnglishModeTranslatesEveryCaptionAndUsesTahoma) {
  EnglishMode = 1;
  TfrmMain english;
  EnglishMode = 0;
  EXPECT_EQ(english.FormFont().Name, L"Tahoma");
  EXPECT_EQ(english.Caption(), L"PrinterManagement");
  EXPECT_EQ(english.SpeedButtonPrintTestPage->Caption(), L"Print\n&TestPage");
  EXPECT_EQ(english.GroupBoxEffects->Caption(), L"Effets");
  EXPECT_EQ(english.OpenPreviewImage1->Caption(), L"&Open Preview Image");
  int captions = 0;
  toolkit::VisitOwnedDepthFirst(english, [&](toolkit::Component& c) {
    if (!c.HasCaption()) return;
    ++captions;
    EXPECT_FALSE(HasChinese(c.Caption())) << "untranslated: " << c.Caption().size() << " chars on "
                                          << std::string(c.Name().begin(), c.Name().end());
  });
  EXPECT_GT(captions, 50);
}

TEST(SettingsWindowLanguage, ChineseModeKeepsTheDesign) {
  TfrmMain chinese;
  EXPECT_EQ(chinese.FormFont().Name, L"微软雅黑");
  EXPECT_EQ(chinese.Caption(), L"打印机管理");
  EXPECT_EQ(chinese.GroupBoxEffects->Caption(), L"效果");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST_F(SettingsWindow, LoadEndsWithThePreviewAndOffsetsMoveItWithoutRedraw) {
  TfrmMain& f = *frmMain;
  f.LoadFeatures();
  ASSERT_TRUE(PreviewReady);
  const PreviewRect panel =
      PaperPanel(f.PanelImagePreview->Width(), f.PanelImagePreview->Height(), f.CheckBoxPaperRotate->Checked());
  const toolkit::Rect shown = f.PanelDisplay->Bounds();
  EXPECT_EQ(shown, (toolkit::Rect{panel.left, panel.top, panel.width, panel.height}));
  ASSERT_NE(f.ImageDisplay->Picture(), nullptr);
  BITMAP bitmap{};
  GetObjectW(f.ImageDisplay->Picture(), sizeof bitmap, &bitmap);
  // Zoom 100% shows the fitted picture, which is as wide or as high as the panel.
  EXPECT_TRUE(bitmap.bmWidth == panel.width || bitmap.bmHeight == panel.height)
      << bitmap.bmWidth << "x" << bitmap.bmHeight << " in " << panel.width << "x" << panel.height;

  const HBITMAP before = f.ImageDisplay->Picture();
  f.TrackBarOffsetY->SetPosition(-3);
  EXPECT_EQ(f.ImageDisplay->Bounds().Top, -6);
  EXPECT_EQ(f.ImageDisplay->Bounds().Left, -10) << "offset X was loaded as -5";
  EXPECT_EQ(f.ImageDisplay->Picture(), before) << "moving the offsets does not render again";

  f.ComboBoxZoom->SetItemIndex(0);
  f.ComboBoxZoomChange(*f.ComboBoxZoom);
  GetObjectW(f.ImageDisplay->Picture(), sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, panel.width) << "any other zoom fills the panel";
  EXPECT_EQ(bitmap.bmHeight, panel.height);
}

// The picture's size and 32-bit pixels.
std::vector<uint32_t> PixelsOf(HBITMAP picture, int& width, int& height) {
  BITMAP bitmap{};
  GetObjectW(picture, sizeof bitmap, &bitmap);
  width = bitmap.bmWidth;
  height = bitmap.bmHeight;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, picture, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return pixels;
}

TEST_F(SettingsWindow, NoZoomSelectedRendersAsAt100Percent) {
  TfrmMain& f = *frmMain;
  plugin_->options["PrintZoom"] = "z40";  // off the list: no item selected
  f.LoadFeatures();
  ASSERT_EQ(f.ComboBoxZoom->ItemIndex(), -1);
  int width = 0, height = 0;
  const std::vector<uint32_t> none = PixelsOf(f.ImageDisplay->Picture(), width, height);
  f.ComboBoxZoom->SetItemIndex(10);
  f.RenderPreview();
  int full_width = 0, full_height = 0;
  const std::vector<uint32_t> full = PixelsOf(f.ImageDisplay->Picture(), full_width, full_height);
  EXPECT_EQ(width, full_width);
  EXPECT_EQ(height, full_height);
  EXPECT_TRUE(none == full) << "the same picture";
}

// Tooltip windows of this thread. A tooltip is a pop-up: under Wine each one
// made at start costs an X window on the way to the first request.
BOOL CALLBACK CountToolTip(HWND window, LPARAM counter) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int ToolTipWindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountToolTip, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Embedded in a page, the window fills it; the red row, which a two-colour
// printer shows later, already has its windows (made inside the page each
// would take tens of milliseconds), while rows never shown have none, and
// no tooltip is made.
TEST(SettingsWindowEmbedding, FillsThePageWithTheRedRowMadeAndNeverShownRowsWindowless) {
  HWND page = toolkit::test::MakePlainWindow(L"VelmoTestPage", DefWindowProcW);
  const int toolTipsBefore = ToolTipWindowsOfThisThread();
  SetWindowPos(page, nullptr, 0, 0, 700, 560, SWP_NOMOVE | SWP_NOZORDER);
  const LaunchState saved = Launch;
  Launch = {};
  Launch.ParentWindow = uint32_t(reinterpret_cast<uintptr_t>(page));
  {
    TfrmMain f;
    f.Show();
    EXPECT_EQ(GetParent(f.Handle()), page);
    EXPECT_TRUE(IsZoomed(f.Handle()));
    RECT inner{}, own{};
    GetClientRect(page, &inner);
    GetClientRect(f.Handle(), &own);
    EXPECT_EQ(own.right, inner.right);
    EXPECT_EQ(own.bottom, inner.bottom);
    EXPECT_TRUE(f.PanelThresholdRed->HandleAllocated());
    EXPECT_TRUE(f.TrackBarBlacknessRedAdjust->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(f.PanelThresholdRed->Handle()));
    EXPECT_FALSE(f.PanelZoomAlignH->HandleAllocated());
    EXPECT_FALSE(f.ImageSrc->HandleAllocated());
    // The value labels beside the blackness bars show their positions.
    EXPECT_EQ(ToolTipWindowsOfThisThread(), toolTipsBefore);
  }
  Launch = saved;
  DestroyWindow(page);
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Keys as the keyboard gives them, with the held keys down meanwhile.
void PressKey(WPARAM key, bool shift = false) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  toolkit::ProcessMessages();
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

TEST_F(SettingsWindow, TabbingAcrossTheRotationRowWritesNothingAndArrowsWriteTheChoice) {
  TfrmMain& f = *frmMain;
  f.Show();
  f.LoadFeatures();
  plugin_->requests.clear();
  f.ButtonResetDefault->SetFocus();
  for (int i = 0; i < 6 && GetFocus() != f.CheckBoxFlipHorizontal->Handle(); ++i) PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), f.CheckBoxFlipHorizontal->Handle());
  for (int i = 0; i < 6 && GetFocus() != f.ButtonResetDefault->Handle(); ++i) PressKey(VK_TAB, true);
  EXPECT_EQ(GetFocus(), f.ButtonResetDefault->Handle());
  EXPECT_TRUE(plugin_->PayloadsOf(4).empty()) << "Tab is no choice";
  EXPECT_TRUE(f.RadioButtonRotate270->Checked());

  f.RadioButtonRotate270->SetFocus();
  PressKey(VK_RIGHT);
  EXPECT_TRUE(f.RadioButtonRotate0->Checked()) << "the arrows wrap within the row";
  EXPECT_EQ(plugin_->PayloadsOf(4), (std::vector<std::string>{"Orientation=PORTRAIT", "OrientationExt=OFF"}));
}

TEST_F(SettingsWindow, TheVersionLinkOpensAboutByKeyboardAndTheFocusComesBack) {
  TfrmMain& f = *frmMain;
  f.Show();
  f.LabelVersion->SetFocus();
  ASSERT_EQ(GetFocus(), f.LabelVersion->Handle()) << "the link takes the focus";
  TfrmAbout about({[](const std::string&, const std::string&) {}, [] {}});
  frmAbout = &about;
  bool opened = false;
  about.OnShow = [&](toolkit::Component&) {
    opened = true;
    PostMessageW(about.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  };
  PressKey(VK_RETURN);
  frmAbout = nullptr;
  EXPECT_TRUE(opened);
  EXPECT_FALSE(about.Visible());
  EXPECT_EQ(GetFocus(), f.LabelVersion->Handle());
}

}  // namespace
}  // namespace velmo
