#pragma once
// One request/reply exchange with the printer: drain stale input, keep a read
// ready, write the request, collect the reply and its further pieces.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "usb_port.h"

namespace velmo {

inline constexpr uint32_t kUsbDrainWaitMs = 5;
inline constexpr uint32_t kUsbStageWaitMs = 500;

// Returns the number of reply bytes received into `reply`, 0 when nothing
// usable came. `reply` is zeroed before the reply is read, so bytes drained
// as stale never pass for the answer.
size_t UsbTransfer(UsbPortOpener& ports, std::string_view printer_name, std::span<const uint8_t> request,
                   std::span<uint8_t> reply);

}  // namespace velmo
