// The keyboard design of the settings program's four windows, in both
// languages: controls designed in the order they are seen (the Tab order),
// and every named control with an Alt key that no control seen at the same
// time shares.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "about_form_win.h"
#include "edit_paper_form_win.h"
#include "english_mode.h"
#include "main_form_win.h"
#include "keyboard_audit_for_tests_win.h"
#include "printer_config_form_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using test::DesignOrderFaults;
using test::Keyless;
using test::MnemonicAudit;
using ::testing::IsEmpty;

constexpr char kNumber[] = "a number: named by its row, reached by the row's key and the arrows";
constexpr char kRowChoice[] =
    "a choice in a named row: the row's key reaches the checked one, the arrows the rest; the window has "
    "not letters enough for every choice in both languages";
constexpr char kFrame[] = "frames rows that carry their own keys; its key would repeat the first row's";
constexpr char kValue[] = "shows a value";
constexpr char kTab[] =
    "a page's tab: with a key each, the five tabs are wider than the dialog; Ctrl+Tab and the arrows on the "
    "tabs reach every page";

// The order is read from where the controls are once the window is shown.
std::vector<std::string> OrderFaultsShown(toolkit::Form& form) {
  form.Show();
  toolkit::test::PumpUntil([] { return false; }, 50);
  std::vector<std::string> faults = DesignOrderFaults(form);
  form.Hide();
  return faults;
}

class WindowKeys : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { EnglishMode = GetParam(); }
  void TearDown() override { EnglishMode = 0; }
};

TEST_P(WindowKeys, SettingsWindow) {
  TfrmMain form;
  frmMain = &form;  // the driver channel's window, as in the program
  form.PanelThresholdRed->Show();  // the red row of two-colour printing
  form.LabelVersion->SetCaption(L"Ver:10.12.210.1024");
  const MnemonicAudit audit(
      form, {{L"RadioButtonRotate0", kNumber},
             {L"RadioButtonRotate90", kNumber},
             {L"RadioButtonRotate180", kNumber},
             {L"RadioButtonRotate270", kNumber},
             {L"RadioButtonPageMarkLabel", kRowChoice},
             {L"RadioButtonPageMarkBlack", kRowChoice},
             {L"RadioButtonPageMarkNone", kRowChoice},
             {L"RadioButtonPageMarkTrim", kRowChoice},
             {L"RadioButtonHalftoneBW", kRowChoice},
             {L"RadioButtonHalftoneDither", kRowChoice},
             {L"RadioButtonHalftoneRedBW", kRowChoice},
             {L"RadioButtonHalftoneRedDither", kRowChoice},
             {L"GroupBoxPrintEffect", kFrame},
             {L"GroupBoxEffects", kFrame},
             {L"GroupBox1", kFrame},
             {L"GroupBoxTrim", kFrame},
             {L"GroupBoxAdjust", kFrame},
             {L"LabelVersion", kValue},
             {L"LabelBlacknessAdjust", kValue},
             {L"LabelBlacknessRedAdjust", kValue},
             {L"LabelTrimTop", kValue},
             {L"LabelTrimBottom", kValue},
             {L"LabelOffsetX", kValue},
             {L"LabelOffsetY", kValue}});
  EXPECT_THAT(audit.Faults(), IsEmpty());
  EXPECT_NE(toolkit::MnemonicOf(form.OpenPreviewImage1->Caption()), 0) << "the preview's menu";
  EXPECT_THAT(OrderFaultsShown(form), IsEmpty()) << "the paper list before its buttons";
  frmMain = nullptr;
}

TEST_P(WindowKeys, PaperEditor) {
  TfrmEditPaper form;
  EXPECT_THAT(MnemonicAudit(form, {}).Faults(), IsEmpty());
  EXPECT_THAT(OrderFaultsShown(form), IsEmpty());
}

TEST_P(WindowKeys, AboutDialog) {
  TfrmAbout form({[](const std::string&, const std::string&) {}, [] {}});
  EXPECT_THAT(MnemonicAudit(form, {}).Faults(), IsEmpty());
  EXPECT_THAT(OrderFaultsShown(form), IsEmpty()) << "the debug switch above the button row";
}

TEST_P(WindowKeys, PrinterConfigDialogOnEveryPage) {
  TfrmPrinterConfig form;
  form.LabelSaveResult->SetCaption(L"took");
  const MnemonicAudit audit(form, {{L"RadioButtonPrintModeNormal", kRowChoice},
                                   {L"RadioButtonPrintModeFast", kRowChoice},
                                   {L"RadioButtonPrintModePrecise", kRowChoice},
                                   {L"LabelSaveResult", kValue},
                                   {L"TabSheetPrint", kTab},
                                   {L"TabSheetBT", kTab},
                                   {L"TabSheetNet", kTab},
                                   {L"TabSheetWifi", kTab},
                                   {L"TabSheetFirmware", kTab}});
  EXPECT_THAT(audit.Faults(), IsEmpty());
  // Each page once shown, so that the labels of its fields have their places.
  form.Show();
  for (toolkit::TabSheet* sheet : form.PageControlPrint->Sheets()) {
    sheet->SetTabVisible(true);
    form.PageControlPrint->SetActivePage(sheet);
    toolkit::test::PumpUntil([] { return false; }, 50);
  }
  form.PageControlPrint->SetActivePage(form.TabSheetPrint);
  toolkit::test::PumpUntil([] { return false; }, 50);
  EXPECT_THAT(DesignOrderFaults(form), IsEmpty()) << "the pages, the profile row, the buttons";
  form.Hide();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowKeys, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace velmo
