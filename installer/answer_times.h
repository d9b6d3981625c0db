#pragma once
// How quickly a window answered a run of probes: the longest answer and the
// 99th percentile (nearest rank), in milliseconds.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace velmo {

struct AnswerSummary {
  std::size_t probes = 0;
  double longestMs = 0;
  double percentile99Ms = 0;
};

// The 99th percentile is the answer time that 99 % of the probes did not
// exceed: the ceil(0.99 n)-th smallest.
inline AnswerSummary SummarizeAnswers(std::vector<double> timesMs) {
  AnswerSummary summary;
  summary.probes = timesMs.size();
  if (timesMs.empty()) return summary;
  std::sort(timesMs.begin(), timesMs.end());
  summary.longestMs = timesMs.back();
  const std::size_t rank = (timesMs.size() * 99 + 99) / 100;  // ceil(0.99 n), at least 1
  summary.percentile99Ms = timesMs[rank - 1];
  return summary;
}

}  // namespace velmo
