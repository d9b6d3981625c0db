// The gallery form as a whole: the ownership walk, captions by kind, a clean
// layout in Chinese and in English, and its screenshot under build/.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "gallery_form_win.h"
#include "wintest_support_win.h"

namespace toolkit {
namespace {

std::vector<std::wstring> WalkNames(const Component& root) {
  std::vector<std::wstring> names;
  VisitOwnedDepthFirst(root, [&](Component& c) { names.push_back(c.Name()); });
  return names;
}

std::ptrdiff_t IndexOf(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::find(names.begin(), names.end(), name) - names.begin();
}

RECT WindowRectIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE TextExtent(const Control& control, const std::wstring& text) {
  HDC dc = GetDC(control.Handle());
  HGDIOBJ previous = SelectObject(dc, control.Font());
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT);
  SelectObject(dc, previous);
  ReleaseDC(control.Handle(), dc);
  return {r.right, r.bottom};
}

// Room a kind needs beside its text: the box or circle of check and radio buttons.
int Decoration(const Control& control) {
  const LONG type = GetWindowLongW(control.Handle(), GWL_STYLE) & BS_TYPEMASK;
  wchar_t name[16] = L"";
  GetClassNameW(control.Handle(), name, 16);
  const bool button = lstrcmpiW(name, L"Button") == 0;
  if (button && (type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON)) return MulDiv(18, GetDpiForWindow(control.Handle()), 96);
  if (button && type == BS_PUSHBUTTON) return 8;
  return 0;
}

// Every visible child lies inside its parent, no two visible siblings
// overlap, and every caption fits its control.
void ExpectLaidOutCleanly(const Container& container) {
  RECT client;
  GetClientRect(container.Handle(), &client);
  std::vector<std::pair<const Control*, RECT>> shown;
  for (const Control* child : container.Children()) {
    if (!IsWindowVisible(child->Handle())) continue;
    RECT r = WindowRectIn(child->Handle(), container.Handle());
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
        << "outside its parent: " << std::string(child->Name().begin(), child->Name().end());
    for (const auto& [other, o] : shown) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &r, &o))
          << "overlap: " << std::string(child->Name().begin(), child->Name().end()) << " and "
          << std::string(other->Name().begin(), other->Name().end());
    }
    shown.push_back({child, r});
    const bool framed = dynamic_cast<const Panel*>(child) || dynamic_cast<const GroupBox*>(child) ||
                        dynamic_cast<const TabSheet*>(child);
    if (child->HasCaption() && !framed && !dynamic_cast<const SpeedButton*>(child)) {
      const SIZE text = TextExtent(*child, child->Caption());
      EXPECT_LE(text.cx + Decoration(*child), r.right - r.left)
          << "caption clipped: " << std::string(child->Name().begin(), child->Name().end());
      EXPECT_LE(text.cy, r.bottom - r.top) << std::string(child->Name().begin(), child->Name().end());
    }
    if (auto* speed = dynamic_cast<const SpeedButton*>(child)) {
      const SIZE text = TextExtent(*speed, speed->Caption());
      EXPECT_LE(text.cx, r.right - r.left) << std::string(child->Name().begin(), child->Name().end());
      EXPECT_LE(MulDiv(37, GetDpiForWindow(speed->Handle()), 96) + text.cy, r.bottom - r.top)
          << "caption below the picture clipped: " << std::string(child->Name().begin(), child->Name().end());
    }
  }
  // A panel's caption sits left of its contents.
  if (auto* panel = dynamic_cast<const Panel*>(&container); panel && !panel->Caption().empty()) {
    const int captionRight = MulDiv(2, GetDpiForWindow(panel->Handle()), 96) + TextExtent(*panel, panel->Caption()).cx;
    for (const auto& [child, r] : shown)
      EXPECT_LE(captionRight, r.left) << "caption under " << std::string(child->Name().begin(), child->Name().end());
  }
  for (const auto& [child, r] : shown) {
    if (auto* inner = dynamic_cast<const Container*>(child)) ExpectLaidOutCleanly(*inner);
  }
}

void ShowEachPage(TfrmGallery& form, const std::function<void()>& check) {
  for (TabSheet* sheet : form.PageControlPrint->Sheets()) {
    form.PageControlPrint->SetActivePage(sheet);
    ProcessMessages();
    check();
  }
  form.PageControlPrint->SetActivePage(form.TabSheetPrint);
}

TEST(Gallery, WalkReachesEveryComponentOwnedThingsFirst) {
  TfrmGallery form;
  const auto names = WalkNames(form);
  EXPECT_GE(names.size(), 80u);
  EXPECT_EQ(names.front(), L"ImageList1");
  EXPECT_LT(IndexOf(names, L"OpenPreviewImage1"), IndexOf(names, L"PopupMenuImagePreview"));
  // The label that a labelled edit owns comes right before the edit.
  const auto edit = IndexOf(names, L"LabeledEditLanIpAddress");
  ASSERT_LT(edit, static_cast<std::ptrdiff_t>(names.size()));
  EXPECT_EQ(names[edit - 1], L"SubLabel");
  EXPECT_EQ(&form.LabeledEditLanIpAddress->EditLabel(), &form.LabeledEditLanIpAddress->Components(0));
  // Placement order otherwise: containers before what they hold.
  EXPECT_LT(IndexOf(names, L"GroupBoxPapers"), IndexOf(names, L"ComboBoxPaperNames"));
  EXPECT_EQ(names.back(), L"ButtonCancel");
  EXPECT_EQ(form.FindComponent(L"TrackBarDarkness"), form.TrackBarDarkness);
  EXPECT_EQ(form.FindComponent(L"Nothing"), nullptr);
}

TEST(Gallery, CaptionsOnlyOnTheKindsThatHaveThem) {
  TfrmGallery form;
  for (Component* c : std::initializer_list<Component*>{
           &form, form.Panel4, form.GroupBoxPapers, form.LabelVersion, form.ButtonInstall,
           form.SpeedButtonEditPaper, form.CheckBoxAutoFeed, form.RadioButtonRotate0, form.TabSheetNet,
           form.OpenPreviewImage1, &form.LabeledEditModelName->EditLabel()})
    EXPECT_TRUE(c->HasCaption()) << std::string(c->Name().begin(), c->Name().end());
  for (Component* c : std::initializer_list<Component*>{
           form.TrackBarDarkness, form.ComboBoxZoom, form.LabeledEditModelName, form.PageControlPrint,
           form.ListView1, form.ImageDisplay, form.ImageList1, form.PopupMenuImagePreview, form.TimerPrinterStatus,
           form.OpenPictureDialog1})
    EXPECT_FALSE(c->HasCaption()) << std::string(c->Name().begin(), c->Name().end());
  EXPECT_EQ(form.SpeedButtonPrintTestPage->Caption(), L"打印测试页");
}

TEST(Gallery, ChineseDesignLaysOutCleanlyAndIsPhotographed) {
  TfrmGallery form;
  form.Show();
  ProcessMessages();
  ShowEachPage(form, [&] { ExpectLaidOutCleanly(form); });
  RECT face{};
  GetWindowRect(form.ComboBoxPaperNames->Handle(), &face);
  EXPECT_GT(face.bottom - face.top, 36);  // the owner-drawn face holds a whole item
  form.PageControlPrint->SetActivePage(form.TabSheetNet);
  ProcessMessages();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpUntil([] { return false; }, 300);
  CreateDirectoryW(VELMO_SCREENSHOT_DIR, nullptr);
  EXPECT_TRUE(test::SaveWindowPicture(form.Handle(), std::wstring(VELMO_SCREENSHOT_DIR) + L"/toolkit_gallery.bmp"));
}

TEST(Gallery, EnglishCaptionsAndTahomaStillFit) {
  TfrmGallery form;
  form.Show();
  form.SetFontName(L"Tahoma");
  const std::vector<std::pair<Component*, std::wstring>> english{
      {form.SpeedButtonPrintTestPage, L"Print\nTestPage"},
      {form.SpeedButtonPrinterSettings, L"Printer\nConfig"},
      {form.PanelPaperType, L"PaperType:"},
      {form.CheckBoxPaperRotate, L"PaperRotate"},
      {form.TabSheetNet, L"LAN"},
      {&form.LabeledEditWifiPassword->EditLabel(), L"WIFI Password: "},
      {form.ButtonResetDefault, L"Default"},
      {form.OpenPreviewImage1, L"Open Preview Image"}};
  for (auto& [component, caption] : english) component->SetCaption(caption);
  ProcessMessages();
  ShowEachPage(form, [&] { ExpectLaidOutCleanly(form); });
  EXPECT_EQ(form.OpenPreviewImage1->Caption(), L"Open Preview Image");
}

}  // namespace
}  // namespace toolkit
