#pragma once
// One program at a time on a printer: a named mutex per printer device,
// held by the settings dialog and velmocfg around each of their exchange
// sequences, across sessions.
#include <memory>
#include <string_view>

#include "printer_hold.h"

namespace velmo {

inline constexpr unsigned kPrinterHoldWaitMs = 10000;

// Held until the result is destroyed; nothing when another program still
// holds the printer after `wait_ms`. The lock is the printer's, not the
// queue's, and stays the same while the printer restarts.
std::unique_ptr<PrinterHold> HoldPrinterDevice(std::string_view ansi_printer_name, unsigned wait_ms);

}  // namespace velmo
