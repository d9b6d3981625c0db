// Discovery passes off the window's thread: what a pass asks the outside for
// and in which order, and the passes' life: one at a time, findings applied
// once on the caller's thread, none after the end, dropped after a stop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

#include "discovery_passes.h"

namespace velmo {
namespace {

using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

const char kOnePrinter[] = "USBPRINT\\VELMOLT42\\7&2&0&USB001\r\n    Name: Velmo LT42\r\n1 matching device(s) found.\r\n";

struct RecordingSearch {
  Texts calls;
  std::stop_source stopAfterFirstRun;
  bool stopAfterFirst = false;
  PassSearch Search(bool usb) {
    return {.devcon =
                [this](const std::string& arguments, std::string& output, const std::stop_token&) {
                  calls.push_back(arguments);
                  if (arguments == "status USBPRINT\\VELMO*") output = kOnePrinter;
                  if (stopAfterFirst) stopAfterFirstRun.request_stop();
                  return 0;
                },
            .hostAddresses =
                [this] {
                  calls.push_back("host addresses");
                  return std::optional<std::vector<Ipv4Address>>({{10, 0, 0, 5}});
                },
            .brandWords = {"Velmo", "Other"},
            .searchUsb = usb};
  }
};

TEST(DiscoveryPass, OneStatusPerBrandWordInOrderThenTheHostsAddresses) {
  RecordingSearch search;
  const PassFindings findings = FindPrinters(search.Search(true), {});
  EXPECT_EQ(search.calls, (Texts{"status USBPRINT\\VELMO*", "status USBPRINT\\OTHER*", "host addresses"}));
  ASSERT_TRUE(findings.usb);
  EXPECT_EQ(findings.usb->devices.ids, Texts{"USBPRINT\\VELMOLT42\\7&2&0&USB001"});
  EXPECT_EQ(findings.usb->devices.names, Texts{"Velmo LT42"});
  ASSERT_TRUE(findings.hostAddresses);
  EXPECT_EQ(findings.hostAddresses->size(), 1u);

  RecordingSearch networkOnly;
  EXPECT_FALSE(FindPrinters(networkOnly.Search(false), {}).usb);
  EXPECT_EQ(networkOnly.calls, Texts{"host addresses"}) << "no device console tool in network-only mode";
}

TEST(DiscoveryPass, AStoppedPassAsksForNothingMore) {
  RecordingSearch search;
  search.stopAfterFirst = true;
  FindPrinters(search.Search(true), search.stopAfterFirstRun.get_token());
  EXPECT_EQ(search.calls, Texts{"status USBPRINT\\VELMO*"});
}

// A pass's work that runs until released, and counts the wakes.
class Passes : public ::testing::Test {
 protected:
  DiscoveryPasses::Work BlockedWork(std::vector<Ipv4Address> addresses = {{10, 0, 0, 5}}) {
    return [this, addresses](const std::stop_token& stop) {
      started_.release();
      std::stop_callback onStop(stop, [this] { release_.release(); });
      release_.acquire();
      stoppedWhileRunning_ = stop.stop_requested();
      PassFindings findings;
      findings.hostAddresses = addresses;
      return findings;
    };
  }
  // Waits until the pass's thread has woken the caller.
  bool AwaitWake(int count) {
    for (int i = 0; i < 500 && wakes_ < count; ++i) std::this_thread::sleep_for(2ms);
    return wakes_ >= count;
  }
  DiscoveryPasses::Apply Record() {
    return [this](const PassFindings& findings) {
      applied_.push_back(findings.hostAddresses ? int(findings.hostAddresses->size()) : -1);
    };
  }

  std::binary_semaphore started_{0}, release_{0};
  std::atomic<int> wakes_{0};
  bool stoppedWhileRunning_ = false;
  std::vector<int> applied_;  // the number of addresses of each pass applied
  DiscoveryPasses passes_{[this] { ++wakes_; }};
};

TEST_F(Passes, OneAtATimeAndAppliedOnceWhenCollectedAfterItEnded) {
  ASSERT_TRUE(passes_.Start(BlockedWork()));
  started_.acquire();
  EXPECT_TRUE(passes_.InFlight());
  EXPECT_FALSE(passes_.Start(BlockedWork())) << "no second pass beside a running one";
  passes_.Collect(Record());
  EXPECT_TRUE(applied_.empty()) << "nothing to apply while the pass runs";

  release_.release();
  ASSERT_TRUE(AwaitWake(1));
  EXPECT_TRUE(passes_.InFlight()) << "ended but not applied";
  EXPECT_FALSE(passes_.Start(BlockedWork()));
  passes_.Collect(Record());
  passes_.Collect(Record());
  EXPECT_EQ(applied_, std::vector<int>{1}) << "applied once";
  EXPECT_FALSE(passes_.InFlight());
  EXPECT_TRUE(passes_.Start(BlockedWork({{1, 2, 3, 4}, {5, 6, 7, 8}}))) << "the next pass";
  started_.acquire();
  release_.release();
  passes_.Wait(Record());
  EXPECT_EQ(applied_, (std::vector<int>{1, 2}));
}

TEST_F(Passes, NoPassStartsWhileTheLastOnesFindingsAreBeingApplied) {
  ASSERT_TRUE(passes_.Start(BlockedWork()));
  release_.release();
  bool startedInside = true;
  passes_.Wait([&](const PassFindings&) {
    // As while an error box of the pass is open and the timer fires under it.
    startedInside = passes_.Start(BlockedWork());
    passes_.Collect(Record());
  });
  EXPECT_FALSE(startedInside);
  EXPECT_TRUE(applied_.empty());
  EXPECT_FALSE(passes_.InFlight());
}

TEST_F(Passes, AfterTheEndThePassInFlightIsWaitedForAndNoOtherStarts) {
  ASSERT_TRUE(passes_.Start(BlockedWork()));
  started_.acquire();
  passes_.End();
  release_.release();
  passes_.Wait(Record());
  EXPECT_EQ(applied_, std::vector<int>{1});
  EXPECT_FALSE(passes_.Start(BlockedWork()));
  EXPECT_FALSE(passes_.InFlight());
}

TEST_F(Passes, StopTellsThePassAndDropsWhatItFound) {
  ASSERT_TRUE(passes_.Start(BlockedWork()));
  started_.acquire();
  passes_.Stop();  // the work ends only because it is told to
  EXPECT_TRUE(stoppedWhileRunning_);
  EXPECT_FALSE(passes_.InFlight()) << "its thread is gone";
  passes_.Collect(Record());
  passes_.Wait(Record());
  EXPECT_TRUE(applied_.empty());
  EXPECT_FALSE(passes_.Start(BlockedWork()));
}

TEST_F(Passes, FindingsOfAPassThatEndedBeforeTheStopAreDroppedToo) {
  ASSERT_TRUE(passes_.Start(BlockedWork()));
  release_.release();
  ASSERT_TRUE(AwaitWake(1));
  passes_.Stop();  // the wake is still on its way
  passes_.Collect(Record());
  EXPECT_TRUE(applied_.empty());
  EXPECT_FALSE(stoppedWhileRunning_);
}

}  // namespace
}  // namespace velmo
