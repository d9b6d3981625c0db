#include "print_check_runner.h"

#include <utility>

namespace velmo {

PrintCheckResult RunPrintCheck(const PrintCheckJob& job) {
  PrintCheckResult result;
  result.view = RenderPrintView(job.controls, job.paper, *job.source);
  result.check = CheckBarcodes(*job.source, job.controls, job.paper, result.view);
  return result;
}

PrintCheckRunner::PrintCheckRunner(Done done, Work work)
    : done_(std::move(done)),
      work_(work ? std::move(work) : Work(RunPrintCheck)),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

// The thread is stopped and joined first, being the last member.
PrintCheckRunner::~PrintCheckRunner() = default;

uint64_t PrintCheckRunner::Submit(PrintCheckJob job) {
  std::lock_guard lock(mutex_);
  pending_ = std::move(job);
  ++latest_;
  wake_.notify_one();
  return latest_;
}

bool PrintCheckRunner::IsCurrent(uint64_t generation) const {
  std::lock_guard lock(mutex_);
  return generation == latest_;
}

void PrintCheckRunner::Run(std::stop_token stop) {
  for (;;) {
    PrintCheckJob job;
    uint64_t generation = 0;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return pending_.has_value(); })) return;
      job = std::move(*pending_);
      pending_.reset();
      generation = latest_;
    }
    PrintCheckResult result = work_(job);
    result.generation = generation;
    if (IsCurrent(generation) && !stop.stop_requested()) done_(std::move(result));
  }
}

}  // namespace velmo
