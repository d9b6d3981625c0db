// The settings program's windows in the normal theme and in a dark
// high-contrast theme (set with SetSysColors; Wine never reports high
// contrast, so the toolkit is told): every colour answer is the system's,
// and every caption, as drawn, reads at 4.5:1 against what is behind it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "about_form_win.h"
#include "color_contrast.h"
#include "edit_paper_form_win.h"
#include "main_form_win.h"
#include "printer_config_form_win.h"
#include "text_win.h"
#include "theme_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using namespace toolkit;

struct SystemColorSetting {
  int index;
  COLORREF color;
};

// Windows' "High Contrast Black".
const std::vector<SystemColorSetting> kHighContrastBlack = {
    {COLOR_WINDOW, RGB(0, 0, 0)},          {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},         {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_GRAYTEXT, RGB(63, 242, 63)},    {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},   {COLOR_BTNSHADOW, RGB(255, 255, 255)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
    {COLOR_3DLIGHT, RGB(255, 255, 255)},   {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},
};

enum class Theme { Normal, HighContrast };

std::string NameOf(Theme theme) { return theme == Theme::Normal ? "Normal" : "HighContrast"; }

// The theme for one test; the system's colours are put back after it.
class ThemedWindows : public ::testing::TestWithParam<Theme> {
 protected:
  void SetUp() override {
    for (const auto& setting : kHighContrastBlack) saved_.push_back({setting.index, GetSysColor(setting.index)});
    if (GetParam() == Theme::HighContrast) {
      Apply(kHighContrastBlack);
      OverrideHighContrast(true);
    }
  }
  void TearDown() override {
    OverrideHighContrast(std::nullopt);
    Apply(saved_);
  }
  static void Apply(const std::vector<SystemColorSetting>& settings) {
    std::vector<int> indexes;
    std::vector<COLORREF> colors;
    for (const auto& setting : settings) {
      indexes.push_back(setting.index);
      colors.push_back(setting.color);
    }
    SetSysColors(static_cast<int>(indexes.size()), indexes.data(), colors.data());
  }

  std::vector<SystemColorSetting> saved_;
};

// Every window that the four windows are made of, with their controls
// enabled as after a printer's features are read.
struct Windows {
  Windows() { frmMain = &main; }  // the driver channel's window, as in the program
  ~Windows() { frmMain = nullptr; }
  TfrmMain main;
  TfrmEditPaper paper;
  TfrmAbout about{{[](const std::string&, const std::string&) {}, [] {}}};
  TfrmPrinterConfig config;
  std::vector<Form*> All() { return {&main, &paper, &about, &config}; }
};

template <class Kind>
std::vector<Kind*> All(const Component& owner) {
  std::vector<Kind*> found;
  VisitOwnedDepthFirst(owner, [&](Component& c) {
    if (auto* kind = dynamic_cast<Kind*>(&c)) found.push_back(kind);
  });
  return found;
}

void ShowEnabled(Form& form) {
  for (Control* control : All<Control>(form)) control->SetEnabled(true);
  form.Show();
  test::PumpUntil([] { return false; }, 50);
}

std::string Hex(COLORREF color) {
  char text[16];
  wsprintfA(text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::set<COLORREF> SystemColors(std::initializer_list<int> indexes) {
  std::set<COLORREF> colors;
  for (const int index : indexes) colors.insert(GetSysColor(index));
  return colors;
}

TEST_P(ThemedWindows, EveryColorAnswerIsASystemColorInHighContrast) {
  if (GetParam() == Theme::Normal) GTEST_SKIP() << "the design's colours are the answers";
  const auto backgrounds = SystemColors({COLOR_WINDOW, COLOR_BTNFACE, COLOR_HIGHLIGHT});
  const auto texts = SystemColors({COLOR_WINDOWTEXT, COLOR_BTNTEXT, COLOR_GRAYTEXT, COLOR_HIGHLIGHTTEXT});
  Windows windows;
  HDC dc = CreateCompatibleDC(nullptr);
  int asked = 0;
  for (Form* form : windows.All()) {
    ShowEnabled(*form);
    std::vector<HWND> children;
    EnumChildWindows(form->Handle(), CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
      const Control* control = Control::FromHandle(child);
      const std::string name = NarrowToUtf8(form->Name() + L"." + (control ? control->Name() : L"(inner window)"));
      for (const UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(1, 2, 3));
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(GetParent(child), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
        ++asked;
        // The preview's paper stays white in every theme, as paper is.
        if (control && (control->Name() == L"PanelDisplay" || control->Name() == L"ImageDisplay")) continue;
        LOGBRUSH logbrush{};
        ASSERT_TRUE(brush && GetObjectW(brush, sizeof logbrush, &logbrush)) << name;
        EXPECT_TRUE(backgrounds.count(logbrush.lbColor)) << name << " " << message << " brush " << Hex(logbrush.lbColor);
        // A control that leaves the colours to the system sets none.
        const COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
        if (text != RGB(1, 2, 3)) {
          EXPECT_TRUE(texts.count(text)) << name << " " << message << " text " << Hex(text);
        }
        if (back != RGB(1, 2, 3)) {
          EXPECT_TRUE(backgrounds.count(back)) << name << " " << message << " back " << Hex(back);
        }
      }
    }
    form->Hide();
  }
  DeleteDC(dc);
  EXPECT_GT(asked, 200);
}

// A picture of part of the screen: 32-bit pixels, top row first.
struct Rendering {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
  COLORREF At(int x, int y) const {
    const DWORD p = pixels[static_cast<size_t>(y) * width + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  }
};

// What the screen shows of `area` (screen coordinates) once everything
// pending is drawn. Wine's PrintWindow draws a window without its children
// and themed controls without their parent's background, so the window is
// read from the screen, where it is top-level.
Rendering Capture(HWND window, const RECT& area) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpUntil([] { return false; }, 20);
  Rendering out{area.right - area.left, area.bottom - area.top, {}};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = out.width;
  info.bmiHeader.biHeight = -out.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, out.width, out.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  out.pixels.assign(p, p + static_cast<size_t>(out.width) * out.height);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return out;
}

Rendering Capture(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return Capture(window, r);
}

// Keeps a rendering as a 32-bit BMP under build/screenshots, for the eye.
void Keep(const Rendering& picture, const std::wstring& name) {
  CreateDirectoryW(VELMO_SCREENSHOT_DIR, nullptr);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = picture.width;
  info.biHeight = -picture.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(picture.pixels.size() * sizeof(DWORD));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  HANDLE out = CreateFileW((std::wstring(VELMO_SCREENSHOT_DIR) + L"/" + name + L".bmp").c_str(), GENERIC_WRITE, 0,
                           nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, picture.pixels.data(), bytes, &written, nullptr);
  CloseHandle(out);
}

// The colour seen most in a picture.
COLORREF MostSeen(const Rendering& picture) {
  std::map<COLORREF, int> seen;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) ++seen[picture.At(x, y)];
  return std::max_element(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// How well a caption reads: the best contrast, against the control's
// background (its most seen colour without the caption), of a pixel that the
// caption changes: its ink's core, not its smoothed edge. 1 when the caption
// is drawn in its background's colour. (Against the background rather than
// the same pixel without the caption: a group box's frame line runs where
// its caption was.)
double CaptionContrast(Form& form, Control& control) {
  RECT area;
  // A tab's caption is drawn on its page control's tab row.
  GetWindowRect(dynamic_cast<TabSheet*>(&control) ? control.Parent()->Handle() : control.Handle(), &area);
  const Rendering with = Capture(form.Handle(), area);
  const std::wstring caption = control.Caption();
  control.SetCaption(L"");
  const Rendering without = Capture(form.Handle(), area);
  control.SetCaption(caption);
  const COLORREF background = MostSeen(without);
  double best = 1.0;
  for (int y = 0; y < with.height; ++y)
    for (int x = 0; x < with.width; ++x)
      if (with.At(x, y) != without.At(x, y)) best = std::max(best, ContrastRatio(with.At(x, y), background));
  return best;
}

TEST_P(ThemedWindows, EveryCaptionReadsAtFourAndAHalfToOne) {
  Windows windows;
  windows.main.LabelVersion->SetCaption(L"Ver:10.12.210.1024");
  int looked_at = 0;
  for (Form* form : windows.All()) {
    ShowEnabled(*form);
    Keep(Capture(form->Handle()), L"colors-" + form->Name() + (GetParam() == Theme::Normal ? L"-normal" : L"-high-contrast"));
    for (Control* control : All<Control>(*form)) {
      if (!control->HasCaption() || control->Caption().empty() || !IsWindowVisible(control->Handle())) continue;
      // What cannot be used now need not stand out (a printer's settings
      // before the printer answers): its grey is the system's.
      if (!IsWindowEnabled(control->Handle())) continue;
      ++looked_at;
      const double contrast = CaptionContrast(*form, *control);
      EXPECT_GE(contrast, kReadableContrast) << NarrowToUtf8(form->Name() + L"." + control->Name() + L" \"" +
                                                       control->Caption() + L"\"");
    }
    form->Hide();
  }
  EXPECT_GT(looked_at, 40);
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemedWindows, ::testing::Values(Theme::Normal, Theme::HighContrast),
                         [](const ::testing::TestParamInfo<Theme>& info) { return NameOf(info.param); });

}  // namespace
}  // namespace velmo
