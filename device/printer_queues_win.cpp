#include "printer_queues_win.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

#include "usb_locator_win.h"

namespace velmo {
namespace {

std::vector<std::string> SpoolerQueues() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersA(kFlags, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !EnumPrintersA(kFlags, nullptr, 4, buffer.data(), needed, &needed, &count)) return {};
  std::vector<std::string> names;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (printers[i].pPrinterName) names.emplace_back(printers[i].pPrinterName);
  }
  return names;
}

}  // namespace

std::vector<std::string> ListUsbPrinterQueues() {
  std::vector<std::string> queues = SpoolerQueues();
  for (const std::string& name : EmulatedPrinterQueues()) {
    if (std::find(queues.begin(), queues.end(), name) == queues.end()) queues.push_back(name);
  }
  std::erase_if(queues, [](const std::string& name) { return !IsUsbPrinterPresent(name); });
  return queues;
}

}  // namespace velmo
