// The settings program's windows by keyboard and screen reader, in both
// languages: Tab and Shift+Tab visit every stop once, in the design order,
// and every stop has a name to read.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "about_form_win.h"
#include "application_win.h"
#include "edit_paper_form_win.h"
#include "english_mode.h"
#include "keyboard_win.h"
#include "main_form_win.h"
#include "printer_config_form_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

using toolkit::Control;

std::string Names(const std::vector<Control*>& controls) {
  std::string names;
  for (const Control* control : controls)
    names += std::string(control->Name().begin(), control->Name().end()) + " ";
  return names;
}

// Walks the shown form both ways and reads every stop's name.
void ExpectWalkableAndNamed(toolkit::Form& form) {
  const std::vector<Control*> ring = toolkit::TabRing(form);
  ASSERT_FALSE(ring.empty());
  const std::vector<Control*> forward = toolkit::test::WalkByTab(form, false);
  EXPECT_EQ(forward, ring) << "walked: " << Names(forward) << "\nring:   " << Names(ring);
  EXPECT_EQ(std::set<Control*>(forward.begin(), forward.end()).size(), forward.size()) << "a stop reached twice";
  std::vector<Control*> backward = toolkit::test::WalkByTab(form, true);
  std::reverse(backward.begin() + 1, backward.end());
  EXPECT_EQ(backward, ring) << "Shift+Tab walked: " << Names(backward);
  for (Control* stop : ring)
    EXPECT_FALSE(toolkit::test::AccessibleText(stop->Handle()).empty())
        << std::string(stop->Name().begin(), stop->Name().end()) << " has no name";
}

class WindowWalk : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { EnglishMode = GetParam(); }
  void TearDown() override { EnglishMode = 0; }
};

TEST_P(WindowWalk, SettingsWindow) {
  TfrmMain form;
  // Without a driver behind it: no load, no status poll.
  form.OnShow = nullptr;
  form.TimerPrinterStatus->SetEnabled(false);
  form.Show();
  toolkit::ProcessMessages();
  ExpectWalkableAndNamed(form);
}

TEST_P(WindowWalk, PaperEditor) {
  TfrmEditPaper form;
  form.Show();
  toolkit::ProcessMessages();
  EXPECT_EQ(toolkit::test::FocusedControl(), toolkit::TabRing(form).front()) << "opens on its first field";
  ExpectWalkableAndNamed(form);
}

TEST_P(WindowWalk, AboutDialog) {
  TfrmAbout form({[](const std::string&, const std::string&) {}, [] {}});
  form.Show();
  toolkit::ProcessMessages();
  EXPECT_EQ(toolkit::test::FocusedControl(), toolkit::TabRing(form).front());
  ExpectWalkableAndNamed(form);
}

TEST_P(WindowWalk, PrinterConfigDialogOnEveryPage) {
  TfrmPrinterConfig form;
  for (toolkit::TabSheet* sheet : form.PageControlPrint->Sheets()) sheet->SetTabVisible(true);
  form.Show();
  toolkit::ProcessMessages();
  EXPECT_EQ(toolkit::test::FocusedControl(), form.PageControlPrint) << "opens on the tabs, before the page";
  for (toolkit::TabSheet* sheet : form.PageControlPrint->Sheets()) {
    SCOPED_TRACE(std::string(sheet->Name().begin(), sheet->Name().end()));
    form.PageControlPrint->SetActivePage(sheet);
    toolkit::ProcessMessages();
    ExpectWalkableAndNamed(form);
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowWalk, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace velmo
