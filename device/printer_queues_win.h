#pragma once
// The spooler's printer queues whose printer is attached by USB now.
#include <string>
#include <vector>

namespace velmo {

// Queue names in the ANSI code page, in the spooler's order.
std::vector<std::string> ListUsbPrinterQueues();

}  // namespace velmo
