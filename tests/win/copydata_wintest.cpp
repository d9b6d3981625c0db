// The driver channel over real WM_COPYDATA between two threads, as between
// the settings window and the driver's page in its own process: the page
// answers from its own message loop, later than the request.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_transport_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

constexpr UINT kBusyMessage = WM_APP + 1;

struct Request {
  ULONG_PTR code = 0;
  std::string bytes;  // cbData bytes, the terminating zero included
  HWND from = nullptr;
};

// The page's side, touched by the page thread only while the settings thread
// waits in SendMessage, or before and after the page thread runs.
struct Page {
  HWND window = nullptr;
  DWORD reply_after_ms = 30;
  std::string reply = std::string("DITHER", 7);
  std::vector<Request> requests;
  HWND reply_to = nullptr;
  ULONG_PTR reply_code = 0;
};
Page g_page;
DriverChannel* g_channel = nullptr;

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COPYDATA) {
    const auto* request = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_page.requests.push_back(
        {request->dwData, std::string(static_cast<const char*>(request->lpData), request->cbData),
         reinterpret_cast<HWND>(wparam)});
    g_page.reply_to = reinterpret_cast<HWND>(wparam);
    g_page.reply_code = request->dwData;
    SetTimer(hwnd, 1, g_page.reply_after_ms, nullptr);  // answered after this message has returned
    return TRUE;
  }
  if (msg == WM_TIMER) {
    KillTimer(hwnd, 1);
    COPYDATASTRUCT reply{g_page.reply_code, DWORD(g_page.reply.size()), g_page.reply.data()};
    SendMessageW(g_page.reply_to, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&reply));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

LRESULT CALLBACK SettingsProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COPYDATA && g_channel) {
    const auto* reply = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_channel->OnReply(reply->dwData, reply->lpData, reply->cbData);
    return TRUE;
  }
  if (msg == kBusyMessage) {
    Sleep(150);  // a long render, say, while the page's reply waits
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

DWORD WINAPI PageThread(LPVOID ready) {
  g_page.window = toolkit::test::MakePlainWindow(L"VelmoCopyDataPage", PageProc);
  SetEvent(static_cast<HANDLE>(ready));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  DestroyWindow(g_page.window);
  return 0;
}

class ChannelAcrossThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    g_page = {};
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, PageThread, ready, 0, &thread_id_);
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
    ASSERT_NE(g_page.window, nullptr);
    settings_ = toolkit::test::MakePlainWindow(L"VelmoCopyDataSettings", SettingsProc);
    transport_ = std::make_unique<CopyDataTransport>(g_page.window, settings_);
    channel_ = std::make_unique<DriverChannel>(*transport_);
    g_channel = channel_.get();
  }
  void TearDown() override {
    g_channel = nullptr;
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    // A reply still on its way is received, so that the page thread can end.
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, 5000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(thread_);
    DestroyWindow(settings_);
  }

  HANDLE thread_ = nullptr;
  DWORD thread_id_ = 0;
  HWND settings_ = nullptr;
  std::unique_ptr<CopyDataTransport> transport_;
  std::unique_ptr<DriverChannel> channel_;
};

TEST_F(ChannelAcrossThreads, ReadCarriesCodeZeroEndedKeywordAndTheReplyWindow) {
  EXPECT_EQ(channel_->GetFeatureOption("Halftone"), "DITHER");
  EXPECT_FALSE(channel_->ReplyTimedOut());
  ASSERT_EQ(g_page.requests.size(), 1u);
  EXPECT_EQ(g_page.requests[0].code, 3u);
  EXPECT_EQ(g_page.requests[0].bytes, std::string("Halftone", 9)) << "cbData counts the terminating zero";
  EXPECT_EQ(g_page.requests[0].from, settings_);
}

TEST_F(ChannelAcrossThreads, WriteReadsFirstThenSendsKeywordEqualsOption) {
  std::string entry("Halftone");
  entry.resize(DriverChannel::kFeatureEntrySize, '\0');
  g_page.reply = entry;
  channel_->EnumFeatures();
  ASSERT_EQ(channel_->SupportedFeatures(), std::vector<std::string>{"Halftone"});
  g_page.reply = std::string("DITHER", 7);
  channel_->SetFeatureOption("Halftone", "BW");
  ASSERT_EQ(g_page.requests.size(), 3u);
  EXPECT_EQ(g_page.requests[1].code, 3u);
  EXPECT_EQ(g_page.requests[2].code, 4u);
  EXPECT_EQ(g_page.requests[2].bytes, std::string("Halftone=BW", 12));
}

TEST_F(ChannelAcrossThreads, ReplySentDuringALongMessageStillCounts) {
  // The page answers after 30 ms, while the settings thread spends 150 ms on
  // another message: the reply was sent in time and is not lost.
  PostMessageW(settings_, kBusyMessage, 0, 0);
  const DWORD start = GetTickCount();
  EXPECT_EQ(channel_->GetFeatureOption("Halftone"), "DITHER");
  EXPECT_FALSE(channel_->ReplyTimedOut());
  EXPECT_LT(GetTickCount() - start, 400u);
}

TEST_F(ChannelAcrossThreads, LateReplyTimesOut) {
  g_page.reply_after_ms = 300;
  const DWORD start = GetTickCount();
  EXPECT_EQ(channel_->GetFeatureOption("Halftone"), "");
  EXPECT_TRUE(channel_->ReplyTimedOut());
  EXPECT_GE(GetTickCount() - start, 95u);
}

}  // namespace
}  // namespace velmo
