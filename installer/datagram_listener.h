#pragma once
// The receiving side of the discovery endpoint, apart from the socket layer:
// a receive that fails is not the end of listening.
#include <atomic>
#include <functional>
#include <string>

namespace velmo {

enum class ReceiveStatus {
  Datagram,  // one datagram arrived
  Nothing,   // nothing within the step
  Failed,    // the receive failed
};

struct Received {
  ReceiveStatus status = ReceiveStatus::Nothing;
  std::string datagram;
};

class DatagramSource {
 public:
  virtual ~DatagramSource() = default;
  // Waits one short step for a datagram.
  virtual Received ReceiveStep() = 0;
  // A pause after a failed receive, so that a lasting error does not spin.
  virtual void PauseAfterFailure() = 0;
};

// Failed receives in a row after which the socket itself is taken as broken.
constexpr int kMaxFailuresInARow = 20;

// Receives until `closing` is set and hands each datagram to `deliver`. After
// a failed receive it pauses and receives again; a datagram or a quiet step
// ends the run of failures. Returns true when closed, false when the
// failures went on kMaxFailuresInARow times: the endpoint is to be made anew.
bool ListenUntilClosed(DatagramSource& source, const std::atomic<bool>& closing,
                       const std::function<void(const std::string&)>& deliver);

}  // namespace velmo
