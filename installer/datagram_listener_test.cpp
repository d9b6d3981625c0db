// The discovery listener against a scripted socket: receive errors are
// injected between datagrams.
#include "datagram_listener.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace velmo {
namespace {

using Texts = std::vector<std::string>;

// Plays its script one step at a time, then sets `closing`.
class ScriptedSource : public DatagramSource {
 public:
  explicit ScriptedSource(std::deque<Received> script) : script_(std::move(script)) {}
  Received ReceiveStep() override {
    ++steps;
    if (script_.empty()) {
      closing = true;
      return {};
    }
    Received next = script_.front();
    script_.pop_front();
    return next;
  }
  void PauseAfterFailure() override { ++pauses; }

  std::atomic<bool> closing{false};
  int steps = 0;
  int pauses = 0;

 private:
  std::deque<Received> script_;
};

const Received kFailed{ReceiveStatus::Failed, ""};
const Received kQuiet{ReceiveStatus::Nothing, ""};
Received Datagram(std::string text) { return {ReceiveStatus::Datagram, std::move(text)}; }

TEST(DatagramListener, ReArmsAfterAReceiveErrorAndStillDeliversReplies) {
  ScriptedSource source({Datagram("IP:10.0.0.7;DEVICENAME:LT43"), kFailed, kQuiet, kFailed, kFailed,
                         Datagram("IP:10.0.0.8;DEVICENAME:LT42")});
  Texts delivered;
  EXPECT_TRUE(ListenUntilClosed(source, source.closing, [&](const std::string& d) { delivered.push_back(d); }))
      << "it ran until closed";
  EXPECT_EQ(delivered, (Texts{"IP:10.0.0.7;DEVICENAME:LT43", "IP:10.0.0.8;DEVICENAME:LT42"}))
      << "the reply after the errors arrives";
  EXPECT_EQ(source.pauses, 3) << "one pause after each error";
}

TEST(DatagramListener, ALastingErrorEndsTheListenerForANewEndpoint) {
  std::deque<Received> script(kMaxFailuresInARow - 1, kFailed);
  script.push_back(Datagram("x"));  // a datagram ends the run of errors
  script.insert(script.end(), kMaxFailuresInARow, kFailed);
  script.push_back(Datagram("never"));
  ScriptedSource source(script);
  Texts delivered;
  EXPECT_FALSE(ListenUntilClosed(source, source.closing, [&](const std::string& d) { delivered.push_back(d); }));
  EXPECT_EQ(delivered, Texts{"x"});
  EXPECT_EQ(source.steps, 2 * kMaxFailuresInARow) << "it stops at the last error of the second run";
  EXPECT_FALSE(source.closing);
}

TEST(DatagramListener, ClosingEndsItBeforeTheNextStep) {
  ScriptedSource source({Datagram("a")});
  source.closing = true;
  int delivered = 0;
  EXPECT_TRUE(ListenUntilClosed(source, source.closing, [&](const std::string&) { ++delivered; }));
  EXPECT_EQ(source.steps, 0);
  EXPECT_EQ(delivered, 0);
}

}  // namespace
}  // namespace velmo
