#pragma once
// The emulated printer attached in-process, on a virtual clock: waits advance
// the clock instead of sleeping. Output the host did not read stays in the
// device and comes out at the next exchange, as a late reply does on USB.
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "printer_firmware.h"
#include "usb_port.h"

namespace velmo::emulator {

enum class WriteBehaviour { kCompletes, kStalls, kShort };

struct PortWait {
  UsbChannel channel;
  uint32_t timeout_ms;
  bool operator==(const PortWait&) const = default;
};

class EmulatedPrinter : public UsbPortOpener {
 public:
  explicit EmulatedPrinter(PrinterFirmware& firmware) : firmware_(firmware) {}

  std::unique_ptr<UsbPort> Open(std::string_view printer_name) override;

  // Bytes waiting in the device before the next request, delivered `delay_ms` from now.
  void QueueOutput(std::vector<uint8_t> bytes, uint32_t delay_ms = 0);
  void Advance(uint32_t ms) { now_ms_ += ms; }
  uint64_t NowMs() const { return now_ms_; }

  bool plugged = true;
  WriteBehaviour write_behaviour = WriteBehaviour::kCompletes;
  bool reads_fail = false;
  std::vector<PortWait> waits;  // every wait of every port, in order
  int opens = 0;
  int closes = 0;
  int cancels = 0;

 private:
  friend class EmulatedPort;
  struct Output {
    uint64_t at_ms;
    std::vector<uint8_t> bytes;
  };
  PrinterFirmware& firmware_;
  std::deque<Output> output_;
  uint64_t now_ms_ = 0;
  uint64_t back_at_ms_ = 0;  // after a restart or a drop
};

}  // namespace velmo::emulator
