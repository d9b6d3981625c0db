#pragma once
// The discovery passes of the installer's window: one at a time, the slow
// work of each on a thread of its own, what it found applied on the window's
// thread. The window's thread alone calls these members.
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "discovery_pass.h"

namespace velmo {

class DiscoveryPasses {
 public:
  using Work = std::function<PassFindings(const std::stop_token& stop)>;
  using Apply = std::function<void(const PassFindings& findings)>;

  // `wake` runs on a pass's thread once its findings are ready: it is to
  // have the window's thread call Collect.
  explicit DiscoveryPasses(std::function<void()> wake) : wake_(std::move(wake)) {}
  ~DiscoveryPasses() { Stop(); }
  DiscoveryPasses(const DiscoveryPasses&) = delete;
  DiscoveryPasses& operator=(const DiscoveryPasses&) = delete;

  // Starts `work` unless a pass is in flight or the passes have ended; true
  // when it started.
  bool Start(Work work);
  // A pass runs, or what it found is not yet applied.
  bool InFlight() const { return thread_.joinable() || applying_; }
  // Applies what the pass found once it has ended, and only once. The pass
  // stays in flight until `apply` returns, so an error box that `apply`
  // shows keeps the next pass from starting.
  void Collect(const Apply& apply);
  // Waits for the pass in flight to end and applies what it found.
  void Wait(const Apply& apply);
  // No pass starts from now on; one in flight runs on (Wait for it).
  void End() { ended_ = true; }
  // Ends the passes, tells the one in flight to stop, waits for its thread
  // and drops what it found.
  void Stop();

 private:
  void Run(const Work& work, const std::stop_token& stop);
  void ApplyReady(const Apply& apply);

  std::function<void()> wake_;
  std::mutex mutex_;
  std::optional<PassFindings> ready_;  // set by the pass's thread, under mutex_
  bool applying_ = false;
  bool ended_ = false;
  std::jthread thread_;
};

}  // namespace velmo
