// The benchmark's summary of answer times: the longest, and the 99th
// percentile by nearest rank.
#include "answer_times.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

std::vector<double> OneTo(int n) {
  std::vector<double> times;
  for (int i = n; i >= 1; --i) times.push_back(i);  // unsorted on purpose
  return times;
}

TEST(AnswerTimes, LongestAnd99thPercentileByNearestRank) {
  const AnswerSummary hundred = SummarizeAnswers(OneTo(100));
  EXPECT_EQ(hundred.probes, 100u);
  EXPECT_EQ(hundred.longestMs, 100);
  EXPECT_EQ(hundred.percentile99Ms, 99);
  EXPECT_EQ(SummarizeAnswers(OneTo(2000)).percentile99Ms, 1980);
  EXPECT_EQ(SummarizeAnswers(OneTo(101)).percentile99Ms, 100) << "ceil(99.99) = 100";
  EXPECT_EQ(SummarizeAnswers({7}).percentile99Ms, 7);
  EXPECT_EQ(SummarizeAnswers({}).probes, 0u);
}

}  // namespace
}  // namespace velmo
