#pragma once
// Runs the print view and its barcode check on a thread of its own, one
// job at a time: a job handed in while another runs replaces any job still
// waiting, and a result whose job was replaced meanwhile is dropped, so the
// caller only ever sees the result of its latest settings.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "barcode_check.h"

namespace velmo {

struct PrintCheckJob {
  std::shared_ptr<const ColorImage> source;
  PreviewControls controls;
  PrintPaper paper;
};

struct PrintCheckResult {
  uint64_t generation = 0;
  PrintView view;
  BarcodeCheck check;
};

class PrintCheckRunner {
 public:
  using Work = std::function<PrintCheckResult(const PrintCheckJob&)>;
  // Called on the runner's thread with each result that is still current.
  using Done = std::function<void(PrintCheckResult)>;

  // `work` defaults to RenderPrintView and CheckBarcodes.
  explicit PrintCheckRunner(Done done, Work work = {});
  ~PrintCheckRunner();
  PrintCheckRunner(const PrintCheckRunner&) = delete;
  PrintCheckRunner& operator=(const PrintCheckRunner&) = delete;

  // Returns the job's generation; every earlier one is stale from now on.
  uint64_t Submit(PrintCheckJob job);
  // Whether `generation` is still the latest: a receiver on another thread
  // asks again, as a newer job may have come after the result was sent.
  bool IsCurrent(uint64_t generation) const;

 private:
  void Run(std::stop_token stop);

  Done done_;
  Work work_;
  mutable std::mutex mutex_;
  std::condition_variable_any wake_;
  std::optional<PrintCheckJob> pending_;
  uint64_t latest_ = 0;
  std::jthread thread_;  // last: it starts once everything above exists
};

PrintCheckResult RunPrintCheck(const PrintCheckJob& job);

}  // namespace velmo
