#include "datagram_listener.h"

namespace velmo {

bool ListenUntilClosed(DatagramSource& source, const std::atomic<bool>& closing,
                       const std::function<void(const std::string&)>& deliver) {
  int failures = 0;
  while (!closing) {
    const Received received = source.ReceiveStep();
    if (received.status == ReceiveStatus::Failed) {
      if (++failures == kMaxFailuresInARow) return false;
      source.PauseAfterFailure();
      continue;
    }
    failures = 0;
    if (received.status == ReceiveStatus::Datagram) deliver(received.datagram);
  }
  return true;
}

}  // namespace velmo
