#pragma once
// A port for tests: passes everything to another port and shows each request
// frame to `seen` on its way there.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "usb_port.h"

namespace velmo::emulator {

class RecordingPort : public UsbPort {
 public:
  using Seen = std::function<void(const uint8_t* frame, size_t length)>;
  RecordingPort(std::unique_ptr<UsbPort> inner, Seen seen) : inner_(std::move(inner)), seen_(std::move(seen)) {}
  UsbStart StartRead(uint8_t* buffer, size_t capacity) override { return inner_->StartRead(buffer, capacity); }
  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    seen_(data, length);
    return inner_->StartWrite(data, length);
  }
  bool Wait(UsbChannel channel, uint32_t timeout_ms) override { return inner_->Wait(channel, timeout_ms); }
  std::optional<size_t> Result(UsbChannel channel) override { return inner_->Result(channel); }
  void Cancel() override { inner_->Cancel(); }

 private:
  std::unique_ptr<UsbPort> inner_;
  Seen seen_;
};

}  // namespace velmo::emulator
