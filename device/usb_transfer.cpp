#include "usb_transfer.h"

#include <algorithm>

#include "usb_frame.h"

namespace velmo {
namespace {

// Reads until the device has nothing old to give, leaving one read
// outstanding for the reply. False when a read fails at once.
bool DrainAndArmRead(UsbPort& port, std::span<uint8_t> reply) {
  for (;;) {
    std::fill(reply.begin(), reply.end(), uint8_t{0});
    const UsbStart start = port.StartRead(reply.data(), reply.size());
    if (start.outcome == UsbStart::kFailed) return false;
    if (start.outcome == UsbStart::kCompleted) {
      if (start.bytes == 0) return true;
      continue;
    }
    port.Wait(UsbChannel::kRead, kUsbDrainWaitMs);
    const auto stale = port.Result(UsbChannel::kRead);
    if (!stale || *stale == 0) return true;
  }
}

bool WriteRequest(UsbPort& port, std::span<const uint8_t> request) {
  if (port.StartWrite(request.data(), request.size()).outcome == UsbStart::kFailed) return false;
  if (!port.Wait(UsbChannel::kWrite, kUsbStageWaitMs)) return false;
  const auto written = port.Result(UsbChannel::kWrite);
  return written && *written == request.size();
}

// A read reply declares its payload length; the rest may come in pieces.
size_t ReadFurtherPieces(UsbPort& port, std::span<uint8_t> reply, size_t received) {
  if (received < 3 || reply[0] != static_cast<uint8_t>(UsbOperation::kRead)) return received;
  const size_t expected = 3 + (size_t{reply[1]} | size_t{reply[2]} << 8);
  while (received < expected && received < reply.size()) {
    const UsbStart start = port.StartRead(reply.data() + received, reply.size() - received);
    if (start.outcome == UsbStart::kFailed) break;
    if (!port.Wait(UsbChannel::kRead, kUsbStageWaitMs)) break;
    const auto piece = port.Result(UsbChannel::kRead);
    // An empty piece would repeat without end; stop as on a time-out.
    if (!piece || *piece == 0) break;
    received += *piece;
  }
  return received;
}

size_t Exchange(UsbPort& port, std::span<const uint8_t> request, std::span<uint8_t> reply) {
  if (reply.empty() || !DrainAndArmRead(port, reply)) return 0;
  if (!WriteRequest(port, request)) return 0;
  port.Wait(UsbChannel::kRead, kUsbStageWaitMs);
  const auto received = port.Result(UsbChannel::kRead);
  if (!received) return 0;
  return ReadFurtherPieces(port, reply, std::min(*received, reply.size()));
}

}  // namespace

size_t UsbTransfer(UsbPortOpener& ports, std::string_view printer_name, std::span<const uint8_t> request,
                   std::span<uint8_t> reply) {
  const std::unique_ptr<UsbPort> port = ports.Open(printer_name);
  if (!port) return 0;
  const size_t received = Exchange(*port, request, reply);
  port->Cancel();
  return received;
}

}  // namespace velmo
