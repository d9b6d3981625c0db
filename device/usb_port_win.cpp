#include "usb_port_win.h"

#include "usb_locator_win.h"
#include "usb_transfer.h"

namespace velmo {
namespace {

class OverlappedUsbPort : public UsbPort {
 public:
  explicit OverlappedUsbPort(UsbPrinterHandles handles) : handles_(handles) {}
  ~OverlappedUsbPort() override {
    CloseHandle(handles_.read);
    CloseHandle(handles_.write);
  }

  UsbStart StartRead(uint8_t* buffer, size_t capacity) override {
    return Start(read_, ReadFile(handles_.read, buffer, static_cast<DWORD>(capacity), nullptr, Fresh(read_)));
  }

  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    return Start(write_, WriteFile(handles_.write, data, static_cast<DWORD>(length), nullptr, Fresh(write_)));
  }

  bool Wait(UsbChannel channel, uint32_t timeout_ms) override {
    return WaitForSingleObject(Handle(channel), timeout_ms) == WAIT_OBJECT_0;
  }

  std::optional<size_t> Result(UsbChannel channel) override {
    Operation& operation = Of(channel);
    DWORD bytes = 0;
    if (!GetOverlappedResult(Handle(channel), &operation.overlapped, &bytes, FALSE)) return std::nullopt;
    operation.outstanding = false;
    return bytes;
  }

  // Waits for what was cancelled, so that no read lands in the caller's
  // buffer after the exchange.
  void Cancel() override {
    CancelIo(handles_.read);
    CancelIo(handles_.write);
    Settle(UsbChannel::kRead);
    Settle(UsbChannel::kWrite);
  }

 private:
  struct Operation {
    OVERLAPPED overlapped{};
    bool outstanding = false;
  };

  static OVERLAPPED* Fresh(Operation& operation) {
    operation.overlapped = {};
    operation.outstanding = true;
    return &operation.overlapped;
  }

  UsbStart Start(Operation& operation, BOOL started) {
    if (started) {
      DWORD bytes = 0;
      const HANDLE handle = &operation == &read_ ? handles_.read : handles_.write;
      GetOverlappedResult(handle, &operation.overlapped, &bytes, FALSE);
      operation.outstanding = false;
      return {UsbStart::kCompleted, bytes};
    }
    if (GetLastError() == ERROR_IO_PENDING) return {UsbStart::kPending};
    operation.outstanding = false;
    return {UsbStart::kFailed};
  }

  void Settle(UsbChannel channel) {
    Operation& operation = Of(channel);
    DWORD bytes = 0;
    if (operation.outstanding) GetOverlappedResult(Handle(channel), &operation.overlapped, &bytes, TRUE);
    operation.outstanding = false;
  }

  Operation& Of(UsbChannel channel) { return channel == UsbChannel::kRead ? read_ : write_; }
  HANDLE Handle(UsbChannel channel) const { return channel == UsbChannel::kRead ? handles_.read : handles_.write; }

  UsbPrinterHandles handles_;
  Operation read_;
  Operation write_;
};

class LocatingOpener : public UsbPortOpener {
 public:
  std::unique_ptr<UsbPort> Open(std::string_view printer_name) override {
    return MakeOverlappedUsbPort(OpenUsbPrinter(printer_name));
  }
};

}  // namespace

UsbPrinterHandles OpenUsbDevicePath(const std::string& device_path) {
  UsbPrinterHandles handles;
  handles.write = CreateFileA(device_path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  handles.read = CreateFileA(device_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
  return handles;
}

UsbPrinterHandles OpenUsbPrinter(std::string_view ansi_printer_name) {
  const std::string path = GetUsbPrinterPath(ansi_printer_name);
  if (path.empty()) return {};
  return OpenUsbDevicePath(path);
}

std::unique_ptr<UsbPort> MakeOverlappedUsbPort(UsbPrinterHandles handles) {
  if (handles.write == INVALID_HANDLE_VALUE || handles.read == INVALID_HANDLE_VALUE) {
    if (handles.read != INVALID_HANDLE_VALUE) CloseHandle(handles.read);
    if (handles.write != INVALID_HANDLE_VALUE) CloseHandle(handles.write);
    return nullptr;
  }
  return std::make_unique<OverlappedUsbPort>(handles);
}

UsbPortOpener& UsbPrinterPorts() {
  static LocatingOpener opener;
  return opener;
}

size_t UsbTransfer(std::string_view ansi_printer_name, std::span<const uint8_t> request, std::span<uint8_t> reply) {
  return UsbTransfer(UsbPrinterPorts(), ansi_printer_name, request, reply);
}

}  // namespace velmo
