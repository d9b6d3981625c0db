#pragma once
// The printer's USB interface as the transfer sees it: one read and one write
// that run asynchronously, timed waits, and results taken without waiting.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace velmo {

enum class UsbChannel { kRead, kWrite };

struct UsbStart {
  enum Outcome { kCompleted, kPending, kFailed } outcome = kFailed;
  size_t bytes = 0;  // when completed at once
};

class UsbPort {
 public:
  virtual ~UsbPort() = default;  // closes the read side, then the write side
  // At most one operation per channel is outstanding; `buffer` stays valid
  // until it completes or Cancel returns.
  virtual UsbStart StartRead(uint8_t* buffer, size_t capacity) = 0;
  virtual UsbStart StartWrite(const uint8_t* data, size_t length) = 0;
  // True when the channel's operation has completed within `timeout_ms`.
  virtual bool Wait(UsbChannel channel, uint32_t timeout_ms) = 0;
  // The byte count of the channel's completed operation; nothing while it runs.
  virtual std::optional<size_t> Result(UsbChannel channel) = 0;
  // Cancels what is outstanding on the read side, then the write side; no
  // buffer is touched after it returns.
  virtual void Cancel() = 0;
};

class UsbPortOpener {
 public:
  virtual ~UsbPortOpener() = default;
  // Looks the printer up and opens both sides; nothing when either fails.
  virtual std::unique_ptr<UsbPort> Open(std::string_view printer_name) = 0;
};

}  // namespace velmo
