// A window moved to a monitor of another DPI and back lays itself out as a
// window made there would: every control's place, the owner-drawn list's
// item height and the list view's columns.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "gallery_form_win.h"
#include "wintest_support_win.h"

namespace toolkit {
namespace {

struct Layout {
  RECT window{};
  std::map<std::wstring, RECT> places;
  int itemHeight = 0, faceHeight = 0;
  std::vector<int> columns;
};

Layout LayoutOf(TfrmGallery& form) {
  Layout layout;
  form.ListView1->Handle();  // made with its page otherwise
  GetWindowRect(form.Handle(), &layout.window);
  layout.places = test::PlacesOf(form);
  HWND combo = form.ComboBoxPaperNames->Handle();
  layout.itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  layout.faceHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int column = 0; column < form.ListView1->ColumnCount(); ++column)
    layout.columns.push_back(ListView_GetColumnWidth(form.ListView1->Handle(), column));
  return layout;
}

// The layout of a gallery made at `dpi`.
Layout FreshAt(int dpi) { return test::MadeAt<TfrmGallery>(dpi, LayoutOf); }

void ExpectSameLayout(const Layout& moved, const Layout& fresh, int dpi) {
  SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
  test::ExpectSamePlaces(moved.places, fresh.places);
  EXPECT_EQ(moved.itemHeight, fresh.itemHeight);
  EXPECT_EQ(moved.faceHeight, fresh.faceHeight);
  EXPECT_EQ(moved.columns, fresh.columns);
}

TEST(DpiChange, ToDoubleAndBackLaysOutAsAWindowMadeThere) {
  const Layout at192 = FreshAt(192), at96 = FreshAt(96);
  TfrmGallery form;
  form.Show();
  for (const auto& [dpi, fresh] : {std::pair{192, at192}, std::pair{96, at96}}) {
    test::SendDpiChange(form, dpi, fresh.window);
    EXPECT_EQ(form.Dpi(), dpi);
    ExpectSameLayout(LayoutOf(form), fresh, dpi);
  }
}

TEST(DpiChange, EveryDpiFromNinetySixTo288IsFollowed) {
  TfrmGallery form;
  form.Show();
  for (int dpi = 96; dpi <= 288; dpi += 24) {
    const Layout fresh = FreshAt(dpi);
    test::SendDpiChange(form, dpi, fresh.window);
    ExpectSameLayout(LayoutOf(form), fresh, dpi);
  }
}

}  // namespace
}  // namespace toolkit
