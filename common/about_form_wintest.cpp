// The About dialog's debug switch and its ways to close.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "about_form_win.h"
#include "application_win.h"

namespace velmo {
namespace {

struct Recorder {
  std::vector<std::string> writes;
  int folders_opened = 0;
  AboutActions Actions() {
    return {[this](const std::string& k, const std::string& o) { writes.push_back(k + "=" + o); },
            [this] { ++folders_opened; }};
  }
};

TEST(AboutDialog, DebugSwitchWritesTheFeatureAndOpensTheFolderWhenOn) {
  Recorder recorder;
  TfrmAbout about(recorder.Actions());
  EXPECT_FALSE(about.CheckBoxDebug->Checked());
  SendMessageW(about.CheckBoxDebug->Handle(), BM_CLICK, 0, 0);
  SendMessageW(about.CheckBoxDebug->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(recorder.writes, (std::vector<std::string>{"PrintDebug=ON", "PrintDebug=OFF"}));
  EXPECT_EQ(recorder.folders_opened, 1) << "unchecking opens no folder";
}

TEST(AboutDialog, KeepsItsDesignedCaptionsAndClosesByButton) {
  Recorder recorder;
  TfrmAbout about(recorder.Actions());
  EXPECT_EQ(about.Caption(), L"About");
  EXPECT_EQ(about.Button1->Caption(), L"关闭(&C)");
  // The button is pressed from inside the modal loop.
  PostMessageW(about.Button1->Handle(), BM_CLICK, 0, 0);
  about.ShowModal();
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
}

TEST(AboutDialog, BackgroundClickCloses) {
  Recorder recorder;
  TfrmAbout about(recorder.Actions());
  PostMessageW(about.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
  PostMessageW(about.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  about.ShowModal();
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
}

TEST(AboutDialog, EscCloses) {
  Recorder recorder;
  TfrmAbout about(recorder.Actions());
  // Esc on the Debug switch, from inside the modal loop; a dialog that ignored
  // it would hang here until the test's time-out.
  PostMessageW(about.CheckBoxDebug->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  about.ShowModal();
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
  EXPECT_TRUE(recorder.writes.empty());
}

}  // namespace
}  // namespace velmo
