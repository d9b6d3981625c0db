#include "emulated_printer.h"

#include <algorithm>
#include <optional>

namespace velmo::emulator {

class EmulatedPort : public UsbPort {
 public:
  explicit EmulatedPort(EmulatedPrinter& printer) : printer_(printer) {}
  ~EmulatedPort() override { ++printer_.closes; }

  UsbStart StartRead(uint8_t* buffer, size_t capacity) override {
    if (printer_.reads_fail) return {UsbStart::kFailed};
    read_ = Operation{buffer, capacity, std::nullopt};
    if (TakeOutput(printer_.now_ms_)) return {UsbStart::kCompleted, *read_->done};
    return {UsbStart::kPending};
  }

  UsbStart StartWrite(const uint8_t* data, size_t length) override {
    write_ = Operation{};
    if (printer_.write_behaviour == WriteBehaviour::kStalls) return {UsbStart::kPending};
    uint64_t at = printer_.now_ms_;
    for (ReplyPiece& piece : printer_.firmware_.Handle({data, length})) {
      at += piece.delay_ms;
      printer_.output_.push_back({at, std::move(piece.bytes)});
    }
    if (auto absence = printer_.firmware_.TakeAbsence()) printer_.back_at_ms_ = at + *absence;
    write_->done = printer_.write_behaviour == WriteBehaviour::kShort ? length - 1 : length;
    return {UsbStart::kCompleted, *write_->done};
  }

  bool Wait(UsbChannel channel, uint32_t timeout_ms) override {
    printer_.waits.push_back({channel, timeout_ms});
    std::optional<Operation>& operation = channel == UsbChannel::kRead ? read_ : write_;
    if (operation && operation->done) return true;
    const uint64_t deadline = printer_.now_ms_ + timeout_ms;
    if (channel == UsbChannel::kRead && read_ && TakeOutput(deadline)) return true;
    printer_.now_ms_ = deadline;
    return false;
  }

  std::optional<size_t> Result(UsbChannel channel) override {
    const std::optional<Operation>& operation = channel == UsbChannel::kRead ? read_ : write_;
    return operation ? operation->done : std::nullopt;
  }

  void Cancel() override {
    ++printer_.cancels;
    read_.reset();
    write_.reset();
  }

 private:
  struct Operation {
    uint8_t* buffer = nullptr;
    size_t capacity = 0;
    std::optional<size_t> done;
  };

  // Completes the pending read with the first output due by `by_ms`.
  bool TakeOutput(uint64_t by_ms) {
    auto& output = printer_.output_;
    if (output.empty() || output.front().at_ms > by_ms) return false;
    printer_.now_ms_ = std::max(printer_.now_ms_, output.front().at_ms);
    std::vector<uint8_t>& bytes = output.front().bytes;
    const size_t count = std::min(bytes.size(), read_->capacity);
    std::copy_n(bytes.begin(), count, read_->buffer);
    bytes.erase(bytes.begin(), bytes.begin() + count);
    if (bytes.empty()) output.pop_front();
    read_->done = count;
    return true;
  }

  EmulatedPrinter& printer_;
  std::optional<Operation> read_;
  std::optional<Operation> write_;
};

std::unique_ptr<UsbPort> EmulatedPrinter::Open(std::string_view) {
  if (!plugged || now_ms_ < back_at_ms_) return nullptr;
  ++opens;
  return std::make_unique<EmulatedPort>(*this);
}

void EmulatedPrinter::QueueOutput(std::vector<uint8_t> bytes, uint32_t delay_ms) {
  output_.push_back({now_ms_ + delay_ms, std::move(bytes)});
}

}  // namespace velmo::emulator
