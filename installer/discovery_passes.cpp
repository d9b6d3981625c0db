#include "discovery_passes.h"

namespace velmo {

bool DiscoveryPasses::Start(Work work) {
  if (ended_ || InFlight()) return false;
  thread_ = std::jthread([this, work = std::move(work)](std::stop_token stop) { Run(work, stop); });
  return true;
}

void DiscoveryPasses::Run(const Work& work, const std::stop_token& stop) {
  PassFindings findings;
  try {
    findings = work(stop);
  } catch (...) {
    findings = PassFindings();
    findings.error = std::current_exception();
  }
  {
    const std::lock_guard lock(mutex_);
    ready_ = std::move(findings);
  }
  wake_();
}

void DiscoveryPasses::Collect(const Apply& apply) {
  if (!thread_.joinable()) return;  // none in flight, or it is being applied
  {
    const std::lock_guard lock(mutex_);
    if (!ready_) return;  // still running
  }
  thread_.join();
  ApplyReady(apply);
}

void DiscoveryPasses::Wait(const Apply& apply) {
  if (!thread_.joinable()) return;
  thread_.join();
  ApplyReady(apply);
}

void DiscoveryPasses::ApplyReady(const Apply& apply) {
  std::optional<PassFindings> findings;
  {
    const std::lock_guard lock(mutex_);
    findings.swap(ready_);
  }
  if (!findings) return;
  struct Applying {
    bool& flag;
    explicit Applying(bool& f) : flag(f) { flag = true; }
    ~Applying() { flag = false; }
  } applying(applying_);
  apply(*findings);
}

void DiscoveryPasses::Stop() {
  ended_ = true;
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
  const std::lock_guard lock(mutex_);
  ready_.reset();
}

}  // namespace velmo
