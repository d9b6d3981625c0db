// Every caption and value label of the settings program's four windows fits
// its control, in both languages at 96, 120, 144, 192 and 240 DPI. Each window is walked
// whole: every page of its page controls, every track bar at both ends (the
// widest value labels), hidden tabs shown as a printer with every feature
// shows them. Pictures of each window go to build/screenshots/ for the eye.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "about_form_win.h"
#include "caption_fit_win.h"
#include "edit_paper_form_win.h"
#include "english_mode.h"
#include "main_form_win.h"
#include "printer_config_form_win.h"
#include "text_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using namespace toolkit;

struct Setting {
  int dpi;
  int english_mode;
};

template <class Kind>
std::vector<Kind*> All(const Form& form) {
  std::vector<Kind*> found;
  VisitOwnedDepthFirst(form, [&](Component& c) {
    if (auto* kind = dynamic_cast<Kind*>(&c)) found.push_back(kind);
  });
  return found;
}

class CaptionsFit : public ::testing::TestWithParam<Setting> {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"VELMO_DPI", std::to_wstring(GetParam().dpi).c_str());
    EnglishMode = GetParam().english_mode;
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"VELMO_DPI", nullptr);
    EnglishMode = 0;
  }

  // Shows the form and collects every cut caption over all its states.
  // `page`: the size of the window the form fills, in designed pixels.
  std::set<std::string> CutsOf(Form& form, SIZE page = {}) {
    form.Show();
    if (page.cx)
      SetWindowPos(form.Handle(), nullptr, 0, 0, ScaleLength(page.cx, GetParam().dpi),
                   ScaleLength(page.cy, GetParam().dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (TabSheet* sheet : All<TabSheet>(form)) sheet->SetTabVisible(true);
    std::vector<TabSheet*> pages = All<TabSheet>(form);
    if (pages.empty()) pages.push_back(nullptr);
    std::set<std::string> cuts;
    for (const bool at_max : {false, true}) {
      for (TrackBar* bar : All<TrackBar>(form)) bar->SetPosition(at_max ? bar->Max() : bar->Min());
      for (TabSheet* page : pages) {
        if (page) page->Pages().SetActivePage(page);
        test::PumpUntil([] { return false; }, 50);
        for (const CutCaption& cut : FindCutCaptions(form))
          cuts.insert(NarrowToUtf8(form.Name() + L"." + cut.Name + L" \"" + cut.Caption + L"\": " + cut.Why));
        if (at_max) SavePicture(form, page);
      }
    }
    form.Hide();
    return cuts;
  }

  void SavePicture(Form& form, const TabSheet* page) {
    CreateDirectoryW(VELMO_SCREENSHOT_DIR, nullptr);
    std::wstring file = std::wstring(VELMO_SCREENSHOT_DIR) + L"/captions-" + form.Name() +
                        (page ? L"-" + page->Name() : L"") + (IsEnglish() ? L"-en-" : L"-zh-") +
                        std::to_wstring(GetParam().dpi) + L".bmp";
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(test::SaveWindowPicture(form.Handle(), file));
  }
};

std::string Listed(const std::set<std::string>& cuts) {
  std::string text;
  for (const std::string& cut : cuts) text += "\n  " + cut;
  return text;
}

TEST_P(CaptionsFit, SettingsWindow) {
  TfrmMain form;
  frmMain = &form;  // the driver channel's window, as in the program
  form.PanelThresholdRed->Show();  // the red row of two-colour printing
  form.LabelVersion->SetCaption(L"Ver:10.12.210.1024");
  // The driver's page, which grows with the DPI as the window does, is at
  // least the designed size; the test screen (1280 × 1024) would hold the
  // maximised window only up to 144 DPI.
  const auto cuts = CutsOf(form, {870, 657});
  frmMain = nullptr;
  EXPECT_TRUE(cuts.empty()) << Listed(cuts);
}

TEST_P(CaptionsFit, PaperEditor) {
  TfrmEditPaper form;
  const auto cuts = CutsOf(form);
  EXPECT_TRUE(cuts.empty()) << Listed(cuts);
}

TEST_P(CaptionsFit, AboutDialog) {
  TfrmAbout form({[](const std::string&, const std::string&) {}, [] {}});
  const auto cuts = CutsOf(form);
  EXPECT_TRUE(cuts.empty()) << Listed(cuts);
}

TEST_P(CaptionsFit, PrinterConfigDialog) {
  TfrmPrinterConfig form;
  // The darkness range that a printer with 30 levels sets.
  form.TrackBarDarkness->SetRange(-15, 15);
  const auto cuts = CutsOf(form);
  EXPECT_TRUE(cuts.empty()) << Listed(cuts);
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndDpis, CaptionsFit,
                         ::testing::Values(Setting{96, 0}, Setting{96, 1}, Setting{120, 0}, Setting{120, 1},
                                           Setting{144, 0}, Setting{144, 1}, Setting{192, 0}, Setting{192, 1},
                                           Setting{240, 0}, Setting{240, 1}),
                         [](const ::testing::TestParamInfo<Setting>& info) {
                           return std::string(info.param.english_mode ? "English" : "Chinese") +
                                  std::to_string(info.param.dpi);
                         });

}  // namespace
}  // namespace velmo
