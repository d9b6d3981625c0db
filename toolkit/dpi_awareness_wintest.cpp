// The settings window takes the DPI awareness of the page it lives in.
#include "dpi_awareness_win.h"

#include <gtest/gtest.h>

#include <thread>

#include "wintest_support_win.h"

namespace toolkit {
namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A page window made by a thread of the given awareness, as another
// program's page would be; its thread keeps it until the page is closed.
class Page {
 public:
  explicit Page(DPI_AWARENESS_CONTEXT awareness) : maker_([this, awareness] { Keep(awareness); }) {
    WaitForSingleObject(made_, 5000);
  }
  ~Page() { Close(); }
  void Close() {
    SetEvent(close_);
    if (maker_.joinable()) maker_.join();
  }
  HWND window = nullptr;

 private:
  void Keep(DPI_AWARENESS_CONTEXT awareness) {
    SetThreadDpiAwarenessContext(awareness);
    window = test::MakePlainWindow(L"VelmoTestPage", PlainProc);
    SetEvent(made_);
    WaitForSingleObject(close_, INFINITE);
    DestroyWindow(window);
  }
  HANDLE made_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE close_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread maker_;
};

class ThreadAwareness : public ::testing::Test {
 protected:
  void SetUp() override { before_ = GetThreadDpiAwarenessContext(); }
  void TearDown() override { SetThreadDpiAwarenessContext(before_); }
  static bool ThreadIs(DPI_AWARENESS_CONTEXT context) {
    return AreDpiAwarenessContextsEqual(GetThreadDpiAwarenessContext(), context);
  }
  DPI_AWARENESS_CONTEXT before_ = nullptr;
};

TEST_F(ThreadAwareness, FollowsThePageWhicheverWay) {
  ASSERT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
  Page unaware(DPI_AWARENESS_CONTEXT_UNAWARE);
  ASSERT_TRUE(unaware.window);
  EXPECT_TRUE(MatchThreadDpiAwareness(unaware.window));
  EXPECT_TRUE(ThreadIs(DPI_AWARENESS_CONTEXT_UNAWARE));

  Page system(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
  EXPECT_TRUE(MatchThreadDpiAwareness(system.window));
  EXPECT_TRUE(ThreadIs(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE));
  HWND made = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(AreDpiAwarenessContextsEqual(GetWindowDpiAwarenessContext(made), DPI_AWARENESS_CONTEXT_SYSTEM_AWARE));
  DestroyWindow(made);
}

TEST_F(ThreadAwareness, NoPageOrNoCallsLeaveTheManifestsAwareness) {
  Page unaware(DPI_AWARENESS_CONTEXT_UNAWARE);
  // A system before Windows 10 1607 has neither call.
  EXPECT_FALSE(MatchThreadDpiAwareness(unaware.window, DpiAwarenessCalls{}));
  DpiAwarenessCalls half = SystemDpiAwarenessCalls();
  half.SetThreadContext = nullptr;
  EXPECT_FALSE(MatchThreadDpiAwareness(unaware.window, half));
  EXPECT_FALSE(MatchThreadDpiAwareness(nullptr));
  unaware.Close();
  EXPECT_FALSE(MatchThreadDpiAwareness(unaware.window));  // the page is gone
  EXPECT_TRUE(ThreadIs(before_));  // the test program's manifest's
}

}  // namespace
}  // namespace toolkit
