#pragma once
// Usbprncmd's locator: the queue's container ID from the registry, then the
// USB printer device that belongs to the same physical device.
#include <string>
#include <string_view>
#include <vector>

#include "device_enumeration.h"

namespace velmo {

// The 8-bit device path of the printer's USB interface; empty when absent.
std::string GetUsbPrinterPath(std::string_view ansi_printer_name);
std::string GetUsbPrinterPath(std::string_view ansi_printer_name, DeviceEnumeration& devices);
std::string FindUsbDeviceByContainerId(std::string_view container_id);
bool IsUsbPrinterPresent(std::string_view ansi_printer_name);
// What names the queue's physical printer whether it is attached now or not
// (its container ID): queues of one printer share it. The queue's own name
// when it has none.
std::string UsbPrinterIdentity(std::string_view ansi_printer_name);
// The queues a development build serves from the printer emulator; none in
// a release build.
std::vector<std::string> EmulatedPrinterQueues();

}  // namespace velmo
