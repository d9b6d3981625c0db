// The driver channel over real WM_COPYDATA messages, against a plug-in
// window on the same thread that answers as the test tells it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver_transport_win.h"
#include "wintest_support_win.h"

namespace velmo {
namespace {

constexpr UINT_PTR kLateReplyTimer = 7;

struct Plugin {
  enum class Mode { Reply, ZeroFlagOnly, Silent, LateReply, Oversized } mode = Mode::Reply;
  HWND settings = nullptr;
  int requests = 0;
  std::string last_payload;
};

Plugin g_plugin;
DriverChannel* g_channel = nullptr;

void Reply(HWND from, HWND to, ULONG_PTR flag, const std::string& bytes) {
  COPYDATASTRUCT data{flag, DWORD(bytes.size()), const_cast<char*>(bytes.data())};
  SendMessageW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
}

LRESULT CALLBACK PluginProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_COPYDATA) {
    const auto* request = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    ++g_plugin.requests;
    g_plugin.last_payload.assign(static_cast<const char*>(request->lpData), request->cbData);
    g_plugin.settings = reinterpret_cast<HWND>(wparam);
    switch (g_plugin.mode) {
      case Plugin::Mode::Reply: Reply(hwnd, g_plugin.settings, request->dwData, std::string("DITHER", 7)); break;
      case Plugin::Mode::ZeroFlagOnly: Reply(hwnd, g_plugin.settings, 0, std::string("STRAY", 6)); break;
      case Plugin::Mode::LateReply: SetTimer(hwnd, kLateReplyTimer, 30, nullptr); break;
      case Plugin::Mode::Oversized:
        Reply(hwnd, g_plugin.settings, 3, std::string(DriverChannel::kReplyBufferSize + 100, 'x'));
        break;
      case Plugin::Mode::Silent: break;
    }
    return TRUE;
  }
  if (msg == WM_TIMER && wparam == kLateReplyTimer) {
    KillTimer(hwnd, kLateReplyTimer);
    Reply(hwnd, g_plugin.settings, 3, std::string("LATE", 5));
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
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

class ChannelOverCopyData : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin_ = toolkit::test::MakePlainWindow(L"VelmoTestPlugin", PluginProc);
    settings_ = toolkit::test::MakePlainWindow(L"VelmoTestSettings", SettingsProc);
    transport_ = std::make_unique<CopyDataTransport>(plugin_, settings_);
    channel_ = std::make_unique<DriverChannel>(*transport_);
    g_channel = channel_.get();
    g_plugin = {};
  }
  void TearDown() override {
    g_channel = nullptr;
    DestroyWindow(plugin_);
    DestroyWindow(settings_);
  }

  // Milliseconds that one read takes.
  DWORD TimedRead(std::string& option) {
    const DWORD start = GetTickCount();
    option = channel_->GetFeatureOption("Halftone");
    return GetTickCount() - start;
  }

  HWND plugin_ = nullptr, settings_ = nullptr;
  std::unique_ptr<CopyDataTransport> transport_;
  std::unique_ptr<DriverChannel> channel_;
};

TEST_F(ChannelOverCopyData, RequestCarriesCodePayloadAndTerminatingZero) {
  std::string option;
  const DWORD took = TimedRead(option);
  EXPECT_EQ(option, "DITHER");
  EXPECT_FALSE(channel_->ReplyTimedOut());
  EXPECT_LT(took, 50u) << "a reply ends the wait early";
  EXPECT_EQ(g_plugin.last_payload, std::string("Halftone", 9));
  EXPECT_EQ(g_plugin.settings, settings_);
}

TEST_F(ChannelOverCopyData, NoReplyTimesOutAfterAbout100ms) {
  g_plugin.mode = Plugin::Mode::Silent;
  std::string option = "unset";
  const DWORD took = TimedRead(option);
  EXPECT_TRUE(channel_->ReplyTimedOut());
  EXPECT_EQ(option, "");
  EXPECT_GE(took, 95u);
  EXPECT_LT(took, 400u) << "a quiet message queue must not stretch the wait";
}

TEST_F(ChannelOverCopyData, ZeroFlagReplyDoesNotEndTheWait) {
  g_plugin.mode = Plugin::Mode::ZeroFlagOnly;
  std::string option;
  const DWORD took = TimedRead(option);
  EXPECT_TRUE(channel_->ReplyTimedOut());
  EXPECT_GE(took, 95u);
  EXPECT_EQ(option, "");
}

TEST_F(ChannelOverCopyData, MessagesAreHandledDuringTheWait) {
  // The reply itself comes from a timer message that only the wait's own
  // message handling can deliver.
  g_plugin.mode = Plugin::Mode::LateReply;
  std::string option;
  const DWORD took = TimedRead(option);
  EXPECT_FALSE(channel_->ReplyTimedOut());
  EXPECT_EQ(option, "LATE");
  EXPECT_LT(took, 95u);
}

TEST_F(ChannelOverCopyData, OversizedReplyIsCutToTheBuffer) {
  g_plugin.mode = Plugin::Mode::Oversized;
  std::string option;
  TimedRead(option);
  EXPECT_EQ(option.size(), DriverChannel::kReplyBufferSize);
}

}  // namespace
}  // namespace velmo
