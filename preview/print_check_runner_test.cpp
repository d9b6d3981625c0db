#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <latch>
#include <mutex>
#include <vector>

#include "label_maker.h"
#include "print_check_runner.h"

namespace velmo {
namespace {

using namespace std::chrono_literals;

PrintCheckJob JobWithBlackness(int blackness) {
  PrintCheckJob job;
  job.source = std::make_shared<ColorImage>(BlankLabel(8, 8));
  job.controls.blackness = blackness;
  job.paper = {1000, 1000, 203};
  return job;
}

// A settings change while a check runs: the running check's result never
// arrives, the new one does.
TEST(PrintCheckRunner, ChangeDuringACheckDropsTheStaleResult) {
  std::latch firstStarted(1), release(1);
  std::mutex mutex;
  std::vector<int> delivered;  // blackness of each delivered result
  std::promise<void> secondDelivered;
  PrintCheckRunner runner(
      [&](PrintCheckResult r) {
        std::lock_guard lock(mutex);
        delivered.push_back(int(r.generation));
        if (r.generation == 2) secondDelivered.set_value();
      },
      [&](const PrintCheckJob& job) {
        if (job.controls.blackness == 10) {
          firstStarted.count_down();
          release.wait();
        }
        return RunPrintCheck(job);
      });
  const uint64_t first = runner.Submit(JobWithBlackness(10));
  firstStarted.wait();
  const uint64_t second = runner.Submit(JobWithBlackness(90));
  EXPECT_FALSE(runner.IsCurrent(first));
  EXPECT_TRUE(runner.IsCurrent(second));
  release.count_down();
  ASSERT_EQ(secondDelivered.get_future().wait_for(10s), std::future_status::ready);
  std::lock_guard lock(mutex);
  EXPECT_EQ(delivered, std::vector<int>{2});
}

// Jobs handed in faster than they run: those still waiting are replaced,
// and only the last one's result comes.
TEST(PrintCheckRunner, WaitingJobsAreReplacedByTheLatest) {
  std::latch started(1), release(1);
  std::mutex mutex;
  std::vector<int> ran;
  std::promise<void> lastDelivered;
  PrintCheckRunner runner(
      [&](PrintCheckResult r) {
        if (r.generation == 4) lastDelivered.set_value();
      },
      [&](const PrintCheckJob& job) {
        {
          std::lock_guard lock(mutex);
          ran.push_back(job.controls.blackness);
        }
        if (job.controls.blackness == 1) {
          started.count_down();
          release.wait();
        }
        return PrintCheckResult{};
      });
  runner.Submit(JobWithBlackness(1));
  started.wait();
  runner.Submit(JobWithBlackness(2));
  runner.Submit(JobWithBlackness(3));
  runner.Submit(JobWithBlackness(4));
  release.count_down();
  ASSERT_EQ(lastDelivered.get_future().wait_for(10s), std::future_status::ready);
  std::lock_guard lock(mutex);
  EXPECT_EQ(ran, (std::vector<int>{1, 4}));
}

}  // namespace
}  // namespace velmo
