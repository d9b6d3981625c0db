#include "driver_channel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>

namespace velmo {
namespace {

// A plug-in on a simulated clock: each request is answered after `delay_ms`
// (or never), and handling a message advances time to the next event.
class FakePlugin : public DriverTransport {
 public:
  struct Sent {
    uint32_t code;
    std::string payload;
  };

  void Send(uint32_t code, std::string_view payload) override {
    sent.push_back({code, std::string(payload)});
    if (auto reply = answer(code, std::string(payload))) pending.push_back({now + delay_ms, 1, *reply});
  }

  void HandleOneMessage(uint32_t max_wait_ms) override {
    ++handled;
    max_waits.push_back(max_wait_ms);
    if (!pending.empty() && pending.front().at <= now + max_wait_ms) {
      Event e = pending.front();
      pending.pop_front();
      now = std::max(now, e.at);
      channel->OnReply(e.flag, e.bytes.data(), e.bytes.size());
      return;
    }
    now += max_wait_ms;  // nothing arrived within the wait
  }

  uint32_t TickCount() override { return now; }

  struct Event {
    uint32_t at;
    uintptr_t flag;
    std::string bytes;
  };

  std::function<std::optional<std::string>(uint32_t, const std::string&)> answer =
      [](uint32_t, const std::string&) { return std::optional<std::string>(); };
  uint32_t now = 1000;
  uint32_t delay_ms = 5;
  std::vector<Sent> sent;
  std::deque<Event> pending;
  std::vector<uint32_t> max_waits;
  int handled = 0;
  DriverChannel* channel = nullptr;
};

std::string Text(const std::string& s) { return s + '\0'; }

class DriverChannelTest : public ::testing::Test {
 protected:
  DriverChannelTest() { plugin.channel = &channel; }

  void AnswerOptions(std::map<std::string, std::string> options) {
    plugin.answer = [options](uint32_t code, const std::string& payload) -> std::optional<std::string> {
      if (code == kGetFeatureOption) {
        auto it = options.find(payload);
        return it == options.end() ? std::string() : Text(it->second);
      }
      if (code == kEnumFeatures) {
        std::string entries;
        for (const auto& [keyword, _] : options) {
          std::string entry = keyword;
          entry.resize(DriverChannel::kFeatureEntrySize, '\0');
          entries += entry;
        }
        return entries;
      }
      return Text("OK");
    };
  }

  FakePlugin plugin;
  DriverChannel channel{plugin};
};

TEST_F(DriverChannelTest, ReplyEndsTheWaitEarly) {
  AnswerOptions({{"Halftone", "DITHER"}});
  EXPECT_EQ(channel.GetFeatureOption("Halftone"), "DITHER");
  EXPECT_FALSE(channel.ReplyTimedOut());
  EXPECT_EQ(plugin.now, 1005u);
  ASSERT_EQ(plugin.sent.size(), 1u);
  EXPECT_EQ(plugin.sent[0].code, kGetFeatureOption);
  EXPECT_EQ(plugin.sent[0].payload, "Halftone");
}

TEST_F(DriverChannelTest, NoReplyTimesOutAfter100msWithoutOverrunning) {
  EXPECT_EQ(channel.GetFeatureOption("Halftone"), "");
  EXPECT_TRUE(channel.ReplyTimedOut());
  EXPECT_EQ(plugin.now, 1100u);
  for (uint32_t wait : plugin.max_waits) EXPECT_LE(wait, 100u);
}

TEST_F(DriverChannelTest, ZeroFlagReplyIsStoredButEndsNoWait) {
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(); };
  plugin.pending.push_back({1010, 0, Text("STRAY")});
  EXPECT_EQ(channel.GetFeatureOption("Halftone"), "");
  EXPECT_TRUE(channel.ReplyTimedOut());
  EXPECT_EQ(plugin.now, 1100u);
}

TEST_F(DriverChannelTest, TimedOutReadsNeverReturnThePreviousReply) {
  AnswerOptions({{"Halftone", "DITHER"}});
  plugin.pending.clear();
  ASSERT_EQ(channel.GetFeatureOption("Halftone"), "DITHER");
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(); };
  EXPECT_EQ(channel.GetFeatureOption("PaperRotate"), "");
  EXPECT_EQ(channel.GetPaperIndex("Velmo LT42"), 0);
  channel.EnumFeatures();
  EXPECT_TRUE(channel.SupportedFeatures().empty());
}

TEST_F(DriverChannelTest, OptionStopsAtZeroAndEmptyReplyGivesEmptyText) {
  plugin.answer = [](uint32_t, const std::string& k) -> std::optional<std::string> {
    return k == "A" ? std::string("ON\0garbage", 10) : std::string();
  };
  EXPECT_EQ(channel.GetFeatureOption("A"), "ON");
  EXPECT_EQ(channel.GetFeatureOption("B"), "");
  EXPECT_FALSE(channel.ReplyTimedOut());
}

TEST_F(DriverChannelTest, OversizedReplyIsCutToTheBuffer) {
  const std::string huge(DriverChannel::kReplyBufferSize + 4096, 'x');
  channel.OnReply(3, huge.data(), huge.size());  // must not write past the buffer (ASan)
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(); };
  plugin.pending.push_back({1001, 3, huge});
  EXPECT_EQ(channel.GetFeatureOption("X").size(), DriverChannel::kReplyBufferSize);
}

TEST_F(DriverChannelTest, EnumFeaturesTakesWhole64ByteEntries) {
  std::string reply;
  for (std::string k : {"Orientation", "Halftone"}) {
    k.resize(64, '\0');
    reply += k;
  }
  reply += "Partial";  // an incomplete entry is not a keyword
  plugin.answer = [reply](uint32_t, const std::string&) { return std::optional<std::string>(reply); };
  channel.EnumFeatures();
  EXPECT_THAT(channel.SupportedFeatures(), ::testing::ElementsAre("Orientation", "Halftone"));
  EXPECT_EQ(plugin.sent.back().payload, "EnumFeatures");
}

TEST_F(DriverChannelTest, SetFeatureOptionWritesOnlySupportedChangedFeatures) {
  AnswerOptions({{"Halftone", "DITHER"}, {"PaperRotate", "OFF"}});
  channel.SetFeatureOption("Halftone", "BW");
  EXPECT_TRUE(plugin.sent.empty()) << "nothing is written before the driver reported its features";

  channel.EnumFeatures();
  plugin.sent.clear();
  channel.SetFeatureOption("Halftone", "DITHER");  // same option: read only
  channel.SetFeatureOption("HALFTONE", "BW");       // the gate ignores case
  channel.SetFeatureOption("Unknown", "BW");
  ASSERT_EQ(plugin.sent.size(), 3u);
  EXPECT_EQ(plugin.sent[0].code, kGetFeatureOption);
  EXPECT_EQ(plugin.sent[1].code, kGetFeatureOption);
  EXPECT_EQ(plugin.sent[2].code, kSetFeatureOption);
  EXPECT_EQ(plugin.sent[2].payload, "HALFTONE=BW");
}

TEST_F(DriverChannelTest, PayloadsAreCutAt255Bytes) {
  channel.GetFeatureOption(std::string(400, 'k'));
  EXPECT_EQ(plugin.sent.back().payload.size(), DriverChannel::kMaxPayload);
}

TEST_F(DriverChannelTest, PaperRequests) {
  plugin.answer = [](uint32_t code, const std::string&) -> std::optional<std::string> {
    return code == kGetPaperIndex ? Text("12") : Text("");
  };
  channel.SelectPaper(118);
  EXPECT_EQ(plugin.sent.back().code, kSelectPaper);
  EXPECT_EQ(plugin.sent.back().payload, "118");
  EXPECT_EQ(channel.GetPaperIndex("Velmo LT42"), 12);
  EXPECT_EQ(plugin.sent.back().payload, "Velmo LT42");
  channel.NotifyTestPage("Velmo LT42");
  EXPECT_EQ(plugin.sent.back().code, kNotifyTestPage);
}

TEST_F(DriverChannelTest, NonNumericPaperIndexIsAnError) {
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(Text("abc")); };
  EXPECT_THROW(channel.GetPaperIndex("P"), std::invalid_argument);
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(std::string()); };
  EXPECT_EQ(channel.GetPaperIndex("P"), 0) << "an empty reply is 0, not an error";
}

TEST_F(DriverChannelTest, RequestsFromHandlersRunDuringTheWait) {
  // An event handled during the wait sends its own request: the nested
  // request completes, and the outer wait ends with the reply then present.
  AnswerOptions({{"A", "1"}, {"B", "2"}});
  plugin.delay_ms = 50;
  bool nested = false;
  plugin.pending.push_back({1010, 0, ""});
  auto inner = plugin.answer;
  plugin.answer = [&, inner](uint32_t code, const std::string& p) {
    if (p == "A" && !nested) {
      nested = true;
      EXPECT_EQ(channel.GetFeatureOption("B"), "2");
    }
    return inner(code, p);
  };
  channel.GetFeatureOption("A");
  EXPECT_TRUE(nested);
  EXPECT_EQ(plugin.sent.size(), 2u);
}

}  // namespace
}  // namespace velmo
