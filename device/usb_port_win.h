#pragma once
// The printer's USB interface opened as two overlapped file handles: the read
// handle keeps a read outstanding while the request goes out on the write one.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "usb_port.h"

namespace velmo {

struct UsbPrinterHandles {
  HANDLE write = INVALID_HANDLE_VALUE;  // INVALID_HANDLE_VALUE: not open
  HANDLE read = INVALID_HANDLE_VALUE;
};

// Opens the device path that the locator gives for the printer; nothing
// opened when it finds none.
UsbPrinterHandles OpenUsbPrinter(std::string_view ansi_printer_name);
UsbPrinterHandles OpenUsbDevicePath(const std::string& device_path);

// How outstanding I/O is cancelled on a handle: CancelIo, or in a test a
// driver that never finishes the cancel.
using CancelIoCall = BOOL(WINAPI*)(HANDLE);

// Owns both handles; nothing when either is not open (the other is closed).
std::unique_ptr<UsbPort> MakeOverlappedUsbPort(UsbPrinterHandles handles, CancelIoCall cancel = CancelIo);

// Operations whose cancel the driver had not finished when their exchange
// ended and that are still running; their memory is kept until they end.
size_t UsbOperationsLeftRunning();

// Locates and opens the printer for each exchange.
UsbPortOpener& UsbPrinterPorts();

size_t UsbTransfer(std::string_view ansi_printer_name, std::span<const uint8_t> request, std::span<uint8_t> reply);

}  // namespace velmo
