#include "usb_port_win.h"

#include <algorithm>
#include <vector>

#include "usb_locator_win.h"
#include "usb_transfer.h"

namespace velmo {
namespace {

// What one operation hands to the system: its record and its bytes. Owned on
// the heap, apart from the caller's buffers, so that an operation the driver
// does not finish after a cancel can be left running without anything it
// writes landing in freed memory.
struct Operation {
  OVERLAPPED overlapped{};
  std::vector<uint8_t> bytes;
  uint8_t* destination = nullptr;  // where a read's bytes go once it is done
  bool outstanding = false;
};

// Operations left running after their port has gone; each is released once
// the system reports it finished.
std::vector<std::unique_ptr<Operation>>& OperationsLeftRunning() {
  static std::vector<std::unique_ptr<Operation>> operations;
  return operations;
}

void ReleaseFinishedOperations() {
  std::erase_if(OperationsLeftRunning(),
                [](const std::unique_ptr<Operation>& op) { return HasOverlappedIoCompleted(&op->overlapped); });
}

class OverlappedUsbPort : public UsbPort {
 public:
  OverlappedUsbPort(UsbPrinterHandles handles, CancelIoCall cancel) : handles_(handles), cancel_(cancel) {}
  ~OverlappedUsbPort() override {
    CloseHandle(handles_.read);
    CloseHandle(handles_.write);
  }

  UsbStart StartRead(uint8_t* buffer, size_t capacity) override {
    read_->bytes.assign(capacity, 0);
    read_->destination = buffer;
    return Start(UsbChannel::kRead, ReadFile(handles_.read, read_->bytes.data(), static_cast<DWORD>(capacity),
                                             nullptr, Fresh(*read_)));
  }

  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    write_->bytes.assign(data, data + length);
    return Start(UsbChannel::kWrite, WriteFile(handles_.write, write_->bytes.data(), static_cast<DWORD>(length),
                                               nullptr, Fresh(*write_)));
  }

  bool Wait(UsbChannel channel, uint32_t timeout_ms) override {
    return WaitForSingleObject(Handle(channel), timeout_ms) == WAIT_OBJECT_0;
  }

  std::optional<size_t> Result(UsbChannel channel) override {
    DWORD bytes = 0;
    if (!GetOverlappedResult(Handle(channel), &Of(channel).overlapped, &bytes, FALSE)) return std::nullopt;
    return Finish(channel, bytes);
  }

  // Waits for what was cancelled, at most as long as one exchange stage: a
  // driver that never finishes the cancel must not hang the window.
  void Cancel() override {
    cancel_(handles_.read);
    cancel_(handles_.write);
    const DWORD start = GetTickCount();
    Settle(UsbChannel::kRead, start);
    Settle(UsbChannel::kWrite, start);
    ReleaseFinishedOperations();
  }

 private:
  static OVERLAPPED* Fresh(Operation& operation) {
    operation.overlapped = {};
    operation.outstanding = true;
    return &operation.overlapped;
  }

  UsbStart Start(UsbChannel channel, BOOL started) {
    if (started) {
      DWORD bytes = 0;
      GetOverlappedResult(Handle(channel), &Of(channel).overlapped, &bytes, FALSE);
      return {UsbStart::kCompleted, Finish(channel, bytes)};
    }
    if (GetLastError() == ERROR_IO_PENDING) return {UsbStart::kPending};
    Of(channel).outstanding = false;
    return {UsbStart::kFailed};
  }

  // A finished read's bytes reach the caller's buffer only now.
  size_t Finish(UsbChannel channel, DWORD bytes) {
    Operation& operation = Of(channel);
    operation.outstanding = false;
    const size_t count = std::min<size_t>(bytes, operation.bytes.size());
    if (channel == UsbChannel::kRead && count) std::copy_n(operation.bytes.data(), count, operation.destination);
    return count;
  }

  void Settle(UsbChannel channel, DWORD start) {
    std::unique_ptr<Operation>& operation = channel == UsbChannel::kRead ? read_ : write_;
    if (!operation->outstanding) return;
    const DWORD spent = GetTickCount() - start;
    if (!HasOverlappedIoCompleted(&operation->overlapped) && spent < kUsbStageWaitMs)
      WaitForSingleObject(Handle(channel), kUsbStageWaitMs - spent);
    if (HasOverlappedIoCompleted(&operation->overlapped)) {
      operation->outstanding = false;
      return;
    }
    OperationsLeftRunning().push_back(std::move(operation));
    operation = std::make_unique<Operation>();
  }

  Operation& Of(UsbChannel channel) { return channel == UsbChannel::kRead ? *read_ : *write_; }
  HANDLE Handle(UsbChannel channel) const { return channel == UsbChannel::kRead ? handles_.read : handles_.write; }

  UsbPrinterHandles handles_;
  CancelIoCall cancel_;
  std::unique_ptr<Operation> read_ = std::make_unique<Operation>();
  std::unique_ptr<Operation> write_ = std::make_unique<Operation>();
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

size_t UsbOperationsLeftRunning() {
  ReleaseFinishedOperations();
  return OperationsLeftRunning().size();
}

std::unique_ptr<UsbPort> MakeOverlappedUsbPort(UsbPrinterHandles handles, CancelIoCall cancel) {
  if (handles.write == INVALID_HANDLE_VALUE || handles.read == INVALID_HANDLE_VALUE) {
    if (handles.read != INVALID_HANDLE_VALUE) CloseHandle(handles.read);
    if (handles.write != INVALID_HANDLE_VALUE) CloseHandle(handles.write);
    return nullptr;
  }
  return std::make_unique<OverlappedUsbPort>(handles, cancel);
}

UsbPortOpener& UsbPrinterPorts() {
  static LocatingOpener opener;
  return opener;
}

size_t UsbTransfer(std::string_view ansi_printer_name, std::span<const uint8_t> request, std::span<uint8_t> reply) {
  return UsbTransfer(UsbPrinterPorts(), ansi_printer_name, request, reply);
}

}  // namespace velmo
