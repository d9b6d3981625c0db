// Form1 in both modes and both languages, built from the driver package
// beside the test program as the installer builds it beside itself.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "english_mode.h"
#include "form1_fixture_wintest.h"
#include "installer_state.h"
#include "keyboard_audit_for_tests_win.h"
#include "translation.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;
using Form1Modes = Form1Fixture;

TEST_F(Form1Modes, NetworkOnlyInChineseWaitsForAddressAndModel) {
  TForm1& f = Build(0, 0);
  EXPECT_EQ(f.Caption(), L"安装打印机");
  EXPECT_EQ(f.FormFont().Name, L"微软雅黑");
  EXPECT_EQ(f.RadioButtonInstallNetworkPrinter->Caption(), L"安装网络打印机(&N)");
  EXPECT_FALSE(f.CheckBoxInstallDriver->Visible());
  EXPECT_FALSE(f.CheckBoxInstallDriver->Checked());
  EXPECT_FALSE(f.RadioButtonInstallUSBPrinter->Visible());
  EXPECT_FALSE(f.RadioButtonInstallUSBPrinter->Checked());
  EXPECT_TRUE(f.RadioButtonInstallNetworkPrinter->Checked());
  EXPECT_TRUE(f.PanelNetworkSetting->Visible()) << "selecting the network choice ran its handler";
  EXPECT_FALSE(f.ButtonInstall->Enabled());

  f.LabeledEditIP->SetText(L" \t ");
  f.ComboBoxDriverNames->SetItemIndex(0);
  f.ComboBoxDriverNamesChange(*f.ComboBoxDriverNames);
  EXPECT_FALSE(f.ButtonInstall->Enabled()) << "blanks are no address";
  f.LabeledEditIP->SetText(L" 192.168.1.50");
  EXPECT_TRUE(f.ButtonInstall->Enabled()) << "the edit's change ran the check";
  f.ComboBoxDriverNames->SetItemIndex(-1);
  f.ComboBoxDriverNamesChange(*f.ComboBoxDriverNames);
  EXPECT_FALSE(f.ButtonInstall->Enabled()) << "no model chosen";
}

TEST_F(Form1Modes, FullModeInEnglishOffersBothChoicesWithTheDriverLocked) {
  TForm1& f = Build(1, 1);
  EXPECT_EQ(f.Caption(), L"InstallPrinter");
  EXPECT_EQ(f.FormFont().Name, L"Tahoma");
  EXPECT_EQ(f.GroupBox1->Caption(), L"Printer &Finded");
  EXPECT_EQ(f.CheckBoxInstallDriver->Caption(), L"Install &Driver");
  EXPECT_EQ(f.RadioButtonInstallUSBPrinter->Caption(), L"Install &USB Printer");
  EXPECT_EQ(f.LabeledEditIP->EditLabel().Caption(), L"I&P: ");
  EXPECT_EQ(f.Label1->Caption(), L"&Model: ");
  EXPECT_EQ(f.ButtonInstall->Caption(), L"&Install");
  EXPECT_EQ(f.ButtonCancel->Caption(), L"&Cancel");
  EXPECT_TRUE(f.CheckBoxInstallDriver->Visible());
  EXPECT_TRUE(f.CheckBoxInstallDriver->Checked());
  EXPECT_FALSE(f.CheckBoxInstallDriver->Enabled());
  EXPECT_TRUE(f.RadioButtonInstallUSBPrinter->Visible());
  EXPECT_TRUE(f.RadioButtonInstallUSBPrinter->Checked());
  EXPECT_FALSE(f.PanelNetworkSetting->Visible());
  EXPECT_TRUE(f.ButtonInstall->Enabled());

  f.RadioButtonInstallNetworkPrinter->SetChecked(true);
  EXPECT_TRUE(f.PanelNetworkSetting->Visible());
  EXPECT_FALSE(f.ButtonInstall->Enabled());
  f.RadioButtonInstallUSBPrinter->SetChecked(true);
  EXPECT_FALSE(f.PanelNetworkSetting->Visible());
  EXPECT_TRUE(f.ButtonInstall->Enabled()) << "a USB installation needs no address";
}

TEST_F(Form1Modes, ThePortColumnTakesTheListsWidthLessTheNameColumnAnd16) {
  for (int english : {0, 1}) {
    TForm1& f = Build(english, 1);
    EXPECT_EQ(f.ListView1->Width(), 450);
    EXPECT_EQ(f.ListView1->ColumnWidth(0), 200);
    EXPECT_EQ(f.ListView1->ColumnWidth(1), 234);
    EXPECT_EQ(f.ClientWidth(), 486);
    EXPECT_EQ(f.ClientHeight(), 388);
    delete form_;
    form_ = nullptr;
  }
}

// Designed in the order they are seen, the Tab order; every named control
// with an Alt key of its own.
TEST_F(Form1Modes, ControlsInVisualOrderEachNamedWithAKeyOfItsOwnInBothLanguages) {
  for (int english : {0, 1}) {
    TForm1& f = Build(english, 1);
    f.PanelNetworkSetting->Show();  // with the USB choices: every control at once
    EXPECT_THAT(test::DesignOrderFaults(f), ::testing::IsEmpty()) << "Cancel sits left of Install";
    EXPECT_THAT(test::MnemonicAudit(f, {}).Faults(), ::testing::IsEmpty()) << (english ? "English" : "Chinese");
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(Form1Modes, TheCatalogueFillsTheModelsAndBrandWords) {
  BrandWords.Add("stale");
  TForm1& f = Build(0, 0);
  ASSERT_EQ(f.ComboBoxDriverNames->ItemCount(), 3);
  EXPECT_EQ(f.ComboBoxDriverNames->ItemText(0), L"Velmo LT42");
  EXPECT_EQ(f.ComboBoxDriverNames->ItemText(2), L"Other X1");
  EXPECT_EQ(f.ComboBoxDriverNames->ItemIndex(), -1);
  EXPECT_EQ(BrandWords.Items(), (Names{"Velmo", "Other"}));
  EXPECT_EQ(f.ImageList1->Count(), 1);
}

// The found printers' picture is the one drawn for the DPI, at each change.
TEST_F(Form1Modes, TheListsPicturesAreRemadeForEachDpi) {
  TForm1& f = Build(0, 0);
  HWND list = f.ListView1->Handle();
  for (const int dpi : {192, 144, 96}) {
    RECT window;
    GetWindowRect(f.Handle(), &window);
    window.right = window.left + MulDiv(window.right - window.left, dpi, f.Dpi());
    window.bottom = window.top + MulDiv(window.bottom - window.top, dpi, f.Dpi());
    SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
    HIMAGELIST shown = ListView_GetImageList(list, LVSIL_SMALL);
    EXPECT_EQ(shown, f.ImageList1->Handle());
    int width = 0, height = 0;
    ImageList_GetIconSize(shown, &width, &height);
    EXPECT_EQ(width, dpi / 3) << dpi;
    EXPECT_EQ(height, dpi / 3) << dpi;
    EXPECT_EQ(ImageList_GetImageCount(shown), 1) << dpi;
  }
}

TEST_F(Form1Modes, EveryCaptionOfTheDesignHasARow) {
  TForm1& f = Build(0, 1);
  std::vector<std::wstring> misses;
  TranslateComponentTree({QindleTranslationTable(), false,
                          [&](const std::wstring&, const std::wstring& caption) { misses.push_back(caption); }},
                         f);
  EXPECT_TRUE(misses.empty()) << misses.size() << " captions without a row";
}

TEST_F(Form1Modes, WithoutTheDriverPackageTheWindowIsNotBuilt) {
  fs::remove_all(driver_);
  EnglishMode = 1;
  try {
    form_ = new TForm1(peers_);
    ADD_FAILURE() << "the window was built";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("driver package is missing"), std::string::npos) << error.what();
  }
}

TEST_F(Form1Modes, CancelClosesTheWindow) {
  TForm1& f = Build(0, 0);
  f.Show();
  ASSERT_TRUE(IsWindowVisible(f.Handle()));
  f.ButtonCancel->Click();
  EXPECT_FALSE(IsWindowVisible(f.Handle()));
}

}  // namespace
}  // namespace velmo
