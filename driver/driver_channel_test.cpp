#include "driver_channel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <utility>

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
    if (on_message) {
      // A user's event, handled instead of the next reply.
      auto event = std::move(on_message);
      on_message = nullptr;
      event();
      return;
    }
    if (busy_ms) {
      // A message that keeps the thread busy; replies sent meanwhile wait.
      now += std::exchange(busy_ms, 0);
      return;
    }
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

  void ReceiveSentReplies() override {
    while (!pending.empty() && pending.front().at <= now) {
      Event e = pending.front();
      pending.pop_front();
      channel->OnReply(e.flag, e.bytes.data(), e.bytes.size());
    }
  }

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
  std::function<void()> on_message;
  uint32_t busy_ms = 0;
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
  std::vector<std::string> options_written;
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

TEST_F(DriverChannelTest, ReplyBufferHoldsAReplyOfItsSizeAndCutsOneByteMore) {
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(); };
  const std::string full(DriverChannel::kReplyBufferSize, 'x');
  plugin.pending.push_back({1001, 3, full});
  EXPECT_EQ(channel.GetFeatureOption("X"), full);
  const std::string one_more = full + 'y';  // must not be written past the buffer (ASan)
  plugin.pending.push_back({plugin.now + 1, 3, one_more});
  EXPECT_EQ(channel.GetFeatureOption("X"), full);
}

TEST_F(DriverChannelTest, ReplyWithALengthButNoBytesReadsAsNoText) {
  // The first reply of all: there is no earlier reply to read in its place.
  plugin.on_message = [this] { channel.OnReply(3, nullptr, 300); };
  EXPECT_EQ(channel.GetFeatureOption("X"), "");
  EXPECT_FALSE(channel.ReplyTimedOut());
  plugin.on_message = [this] { channel.OnReply(3, "LONGER", 7); };
  EXPECT_EQ(channel.GetFeatureOption("X"), "LONGER");
  plugin.on_message = [this] { channel.OnReply(3, "ON", 2); };
  EXPECT_EQ(channel.GetFeatureOption("X"), "ON");  // its own length, not the longer reply's
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
  const std::string at_limit(DriverChannel::kMaxPayload, 'k');
  channel.GetFeatureOption(at_limit);
  EXPECT_EQ(plugin.sent.back().payload, at_limit);
  channel.GetFeatureOption(at_limit + 'x');
  EXPECT_EQ(plugin.sent.back().payload, at_limit);
}

TEST_F(DriverChannelTest, FeatureEntryHoldsA64ByteKeywordWithoutItsZero) {
  const std::string longest(DriverChannel::kFeatureEntrySize, 'K');
  const std::string one_short(DriverChannel::kFeatureEntrySize - 1, 'S');
  const std::string reply = longest + one_short + '\0' + one_short;  // the last entry is one byte short
  plugin.answer = [reply](uint32_t, const std::string&) { return std::optional<std::string>(reply); };
  channel.EnumFeatures();
  EXPECT_THAT(channel.SupportedFeatures(), ::testing::ElementsAre(longest, one_short));
}

TEST_F(DriverChannelTest, ReplySentWhileAMessageKeptTheThreadBusyCounts) {
  AnswerOptions({{"Halftone", "DITHER"}});
  plugin.delay_ms = 30;
  plugin.busy_ms = 150;
  EXPECT_EQ(channel.GetFeatureOption("Halftone"), "DITHER");
  EXPECT_FALSE(channel.ReplyTimedOut());
}

TEST_F(DriverChannelTest, WriteMadeDuringAWaitFollowsItAndTheNewestWins) {
  AnswerOptions({{"BlacknessAdjustH", "h5"}, {"BlacknessAdjustL", "l7"}});
  channel.EnumFeatures();
  plugin.answer = [inner = plugin.answer, this](uint32_t code, const std::string& payload) {
    if (code == kSetFeatureOption) options_written.push_back(payload);
    return inner(code, payload);
  };
  plugin.delay_ms = 50;
  plugin.on_message = [this] {  // a second drag, inside the first write's read
    channel.SetFeatureOption("BlacknessAdjustH", "h6");
    channel.SetFeatureOption("BlacknessAdjustL", "l1");
    channel.SetFeatureOption("BlacknessAdjustH", "h7");
    EXPECT_TRUE(plugin.sent.back().code == kGetFeatureOption) << "nothing is sent from inside the wait";
  };
  channel.SetFeatureOption("BlacknessAdjustH", "h3");
  EXPECT_THAT(options_written,
              ::testing::ElementsAre("BlacknessAdjustH=h3", "BlacknessAdjustH=h7", "BlacknessAdjustL=l1"));
}

TEST_F(DriverChannelTest, WhileTheListIsReadAgainOnlyWritesFromWaitsAreKept) {
  AnswerOptions({{"A", "1"}, {"B", "1"}});
  channel.EnumFeatures();
  channel.ClearSupportedFeatures();
  plugin.delay_ms = 50;
  plugin.on_message = [this] { channel.SetFeatureOption("A", "2"); };  // the user, during a read
  channel.GetFeatureOption("A");
  channel.SetFeatureOption("B", "2");  // the load's own change: not written
  plugin.sent.clear();
  channel.EnumFeatures();
  ASSERT_EQ(plugin.sent.size(), 3u) << "the list, then A's read and write";
  EXPECT_EQ(plugin.sent[2].payload, "A=2");
  channel.ClearSupportedFeatures();
  plugin.on_message = [this] { channel.SetFeatureOption("A", "3"); };
  channel.GetFeatureOption("B");
  channel.SetFeatureOption("A", "1");  // a later change of the same feature replaces it
  plugin.sent.clear();
  channel.EnumFeatures();
  EXPECT_EQ(plugin.sent.size(), 1u);
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

TEST_F(DriverChannelTest, NonNumericPaperIndexIsNoPaper) {
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(Text("abc")); };
  EXPECT_EQ(channel.GetPaperIndex("P"), 0);
  plugin.answer = [](uint32_t, const std::string&) { return std::optional<std::string>(Text(" -7 ")); };
  EXPECT_EQ(channel.GetPaperIndex("P"), -7);
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
