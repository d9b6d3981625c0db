// The settings window moved to a monitor of twice the DPI and back lays
// itself out as a window made there would, with the pictures drawn for it.
#include <windows.h>

#include <gtest/gtest.h>

#include "about_form_win.h"
#include "main_form_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using namespace toolkit;

struct Placed {
  RECT window{};
  std::map<std::wstring, RECT> places;
  int paperItemHeight = 0;
  std::map<std::wstring, int> pictureWidths;  // of each speed button
};

Placed PlacedOf(TfrmMain& form) {
  Placed placed;
  GetWindowRect(form.Handle(), &placed.window);
  placed.places = test::PlacesOf(form);
  placed.paperItemHeight = static_cast<int>(SendMessageW(form.ComboBoxPaperNames->Handle(), CB_GETITEMHEIGHT, 0, 0));
  for (SpeedButton* button : {form.SpeedButtonPrintTestPage, form.SpeedButtonPrinterSettings,
                              form.SpeedButtonEditPaper, form.SpeedButtonDeletePaper, form.SpeedButtonAddPaper})
    placed.pictureWidths[button->Name()] = BitmapSize(button->Picture()).cx;
  return placed;
}


TEST(SettingsWindowDpiChange, ToDoubleAndBackAsAWindowMadeThere) {
  TfrmMain form;
  frmMain = &form;  // the driver channel's window, as in the program
  form.Show();
  for (const int dpi : {192, 96}) {
    SCOPED_TRACE(dpi);
    const Placed fresh = test::MadeAt<TfrmMain>(dpi, PlacedOf);
    test::SendDpiChange(form, dpi, fresh.window);
    const Placed moved = PlacedOf(form);
    test::ExpectSamePlaces(moved.places, fresh.places);
    EXPECT_EQ(moved.paperItemHeight, fresh.paperItemHeight);
    // Each button's picture is the one drawn for the DPI, not a stretched one.
    for (const auto& [name, width] : moved.pictureWidths) EXPECT_EQ(width, dpi / 3) << std::string(name.begin(), name.end());
    EXPECT_EQ(moved.pictureWidths, fresh.pictureWidths);
  }
  frmMain = nullptr;
}

// The About banner, a picture of the design, grows with the design.
TEST(AboutBanner, IsDrawnAtTheDesignsScale) {
  SIZE sizes[2]{};
  for (const int dpi : {96, 192}) {
    const test::ScopedDpi scoped(dpi);
    TfrmAbout about({[](const std::string&, const std::string&) {}, [] {}});
    about.Show();
    const RECT place = about.Image1->PictureRect();
    sizes[dpi / 192] = {place.right - place.left, place.bottom - place.top};
  }
  EXPECT_GT(sizes[0].cx, 0);
  EXPECT_NEAR(sizes[1].cx, 2 * sizes[0].cx, 1);
  EXPECT_NEAR(sizes[1].cy, 2 * sizes[0].cy, 1);
}

}  // namespace
}  // namespace velmo
